#include "platform/qt/qt_common_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTreeView>

#include <algorithm>

QStringList QtNameFilters(const std::vector<FileFilter>& filters) {
  static const QRegularExpression ownPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  QStringList names;
  for (const FileFilter& filter : filters) {
    QString description = QString::fromStdString(filter.description);
    description.remove(ownPatterns);
    QStringList patterns = QString::fromStdString(filter.pattern).split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      pattern = pattern.trimmed();
      if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    }
    names.push_back(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
  }
  return names;
}

namespace {

// The file dialog's size in characters of its font: room for the places beside the list and for
// the list's name, size, type and date columns, and for a good number of rows.
constexpr int kFileDialogColumns = 150;
constexpr int kFileDialogRows = 30;

// Opens the dialog at that size, within the screen. Qt gives the size, type and date columns
// fixed widths that cut what they show; they take the width of their contents instead.
void SizeFileDialog(QFileDialog& dialog) {
  const QFontMetrics metrics(dialog.font());
  QSize size(metrics.averageCharWidth() * kFileDialogColumns, metrics.height() * kFileDialogRows);
  if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size());
  dialog.resize(size.expandedTo(dialog.minimumSizeHint()));
  if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    QHeaderView* header = list->header();
    for (int column = 1; column < header->count(); ++column) {
      header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
  }
}

}  // namespace

QColor ColorFromColorRef(std::uint32_t color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

std::uint32_t ColorRefFromColor(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

QtCommonDialogs::QtCommonDialogs() = default;
QtCommonDialogs::~QtCommonDialogs() = default;

std::optional<FileDialogAnswer> QtCommonDialogs::AskFileName(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title));
  // Qt's own dialog everywhere, so the chosen filter is always known.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  // The program asks itself, once it knows the name it will really write.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  const QStringList names = QtNameFilters(request.filters);
  dialog.setNameFilters(names);
  if (request.filterIndex >= 1 && request.filterIndex <= names.size()) {
    dialog.selectNameFilter(names[request.filterIndex - 1]);
  }
  // Never the program's working folder, which means nothing to the user.
  dialog.setDirectory(request.initialFolder.empty()
                          ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                          : QString::fromStdString(request.initialFolder));
  if (!request.defaultName.empty()) dialog.selectFile(QString::fromStdString(request.defaultName));
  SizeFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  FileDialogAnswer answer;
  answer.path = dialog.selectedFiles().first().toStdString();
  answer.filterIndex = static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1;
  if (answer.filterIndex < 1) answer.filterIndex = 1;
  return answer;
}

std::optional<std::string> QtCommonDialogs::AskFolder(const std::string& startFolder) {
  const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(), QString(),
                                                           QString::fromStdString(startFolder),
                                                           QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

std::optional<std::uint32_t> QtCommonDialogs::AskColor(std::uint32_t initial, CustomColorSet* customColors) {
  if (!colorDialog_) colorDialog_ = std::make_unique<QColorDialog>();
  for (int i = 0; i < static_cast<int>(customColors->size()); ++i) {
    QColorDialog::setCustomColor(i, ColorFromColorRef((*customColors)[static_cast<std::size_t>(i)]));
  }
  colorDialog_->setCurrentColor(ColorFromColorRef(initial));
  const bool chosen = colorDialog_->exec() == QDialog::Accepted;
  for (int i = 0; i < static_cast<int>(customColors->size()); ++i) {
    (*customColors)[static_cast<std::size_t>(i)] = ColorRefFromColor(QColorDialog::customColor(i));
  }
  if (!chosen) return std::nullopt;
  return ColorRefFromColor(colorDialog_->selectedColor());
}

QFont QFontFromChoice(const FontChoice& choice) {
  QFont font(QString::fromStdString(choice.family));
  font.setPixelSize(std::max(1, choice.emHeight));
  font.setBold(choice.bold);
  font.setItalic(choice.italic);
  return font;
}

FontChoice ChoiceFromQFont(const QFont& font) {
  return {font.family().toStdString(), EmHeightFromFontSize(font.pointSizeF(), font.pixelSize()),
          font.weight() >= QFont::Bold, font.italic()};
}

std::optional<FontChoice> QtCommonDialogs::AskFont(const FontChoice& initial) {
  QFontDialog dialog(QApplication::activeWindow());
  dialog.setOption(QFontDialog::ScalableFonts);
  if (!initial.family.empty()) dialog.setCurrentFont(QFontFromChoice(initial));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ChoiceFromQFont(dialog.selectedFont());
}
