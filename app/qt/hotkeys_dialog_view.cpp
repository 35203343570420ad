#include "app/qt/hotkeys_dialog_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QVBoxLayout>

#include "app/qt/data_dialog_view.h"
#include "services/hotkey_keys.h"
#include "services/hotkeys_dialog.h"
#include "services/string_table.h"

namespace {

// One line laid out with the list's tab stops.
void LayOut(QTextLayout& layout, const QFont& font) {
  QTextOption option;
  option.setTabStopDistance(HotkeyListTabWidth(font));
  option.setWrapMode(QTextOption::NoWrap);
  layout.setFont(font);
  layout.setTextOption(option);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
}

// Draws each line with the list's tab stops, which a plain item view would ignore.
class TabbedLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString line = plain.text;
    plain.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
    QTextLayout layout(line);
    LayOut(layout, option.font);
    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QFontMetrics metrics(option.font);
    const int top = option.rect.top() + (option.rect.height() - metrics.height()) / 2;
    layout.draw(painter, QPointF(option.rect.left() + kMargin, top));
    painter->restore();
  }

  // As wide as the tabbed line, so the list scrolls sideways only when lines are that long.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QTextLayout layout(index.data().toString());
    LayOut(layout, option.font);
    const QSize plain = QStyledItemDelegate::sizeHint(option, index);
    return {static_cast<int>(layout.lineAt(0).naturalTextWidth()) + 2 * kMargin, plain.height()};
  }

  static constexpr int kMargin = 3;
};

}  // namespace

QFont HotkeyListFont() { return QApplication::font(); }

int HotkeyListTabWidth(const QFont& font) { return QFontMetrics(font).averageCharWidth() * 10 / 4; }

int HotkeyLineX(const QString& line, int index, const QFont& font) {
  QTextLayout layout(line);
  LayOut(layout, font);
  return static_cast<int>(layout.lineAt(0).cursorToX(index));
}

void UseQtHotkeyListMetrics() {
  const QFont font = HotkeyListFont();
  SetHotkeyListMetrics({HotkeyListTabWidth(font), [font](std::string_view text) {
                          const QString part = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
                          return HotkeyLineX(part, static_cast<int>(part.size()), font);
                        }});
}

int RunHotkeysDialogView(CHotkeysDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(31600));
  auto* list = new QListWidget(&dialog);
  list->setObjectName(QStringLiteral("hotkeys"));
  list->setSortingEnabled(false);
  list->setFont(HotkeyListFont());
  list->setItemDelegate(new TabbedLineDelegate(list));
  list->setMinimumSize(640, 360);
  const auto fill = [&model, list] {
    list->clear();
    for (const std::string& line : model.lines) list->addItem(QString::fromStdString(line));
    if (model.selection >= 0 && model.selection < list->count()) list->setCurrentRow(model.selection);
  };
  fill();
  model.onListChanged = fill;
  QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&model](int row) { model.selection = row; });
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, [&model] { model.OnDefineHotkey(); });

  auto* headings = new QGridLayout;
  auto* keysHeading = new QLabel(Localized(31601), &dialog);
  auto* commandsHeading = new QLabel(Localized(31602), &dialog);
  headings->addWidget(keysHeading, 0, 0);
  headings->addWidget(commandsHeading, 0, 1);
  // The path column starts after the separator of nine tabs and a bar.
  headings->setColumnMinimumWidth(0, HotkeyLineX(QStringLiteral("\t\t\t\t\t\t\t\t\t|\t"), 10, list->font()));
  headings->setColumnStretch(1, 1);

  auto* buttons = new QVBoxLayout;
  const std::pair<int, void (CHotkeysDlg::*)()> actions[] = {
      {31603, &CHotkeysDlg::OnDefineHotkey},   {31604, &CHotkeysDlg::OnRemoveHotkey},
      {31605, &CHotkeysDlg::OnLoadHotkeyFile}, {31606, &CHotkeysDlg::OnSaveHotkeyFile},
      {31607, &CHotkeysDlg::OnSaveHotkeysAsText},
  };
  for (const auto& [text, action] : actions) {
    auto* button = new QPushButton(Localized(text), &dialog);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&model, action = action] { (model.*action)(); });
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* ok = new QPushButton(Localized(1), &dialog);
  auto* cancel = new QPushButton(Localized(2), &dialog);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* left = new QVBoxLayout;
  left->addLayout(headings);
  left->addWidget(list);
  auto* layout = new QHBoxLayout(&dialog);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);

  const int result = dialog.exec();
  model.onListChanged = nullptr;
  return result == QDialog::Accepted ? kAnswerOk : kAnswerCancel;
}

int RunHotkeyDefineView(CHotkeyDefineDlg& model, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(Localized(31600));
  auto* ctrl = new QCheckBox(QStringLiteral("Ctrl"), &dialog);
  auto* shift = new QCheckBox(QStringLiteral("Shift"), &dialog);
  auto* key = new QComboBox(&dialog);
  key->setEditable(false);
  for (int index = 0; index < kHotkeyKeyCount; ++index) {
    const std::string_view name = HotkeyKeyName(index);
    key->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  }
  ctrl->setChecked(model.ctrl != 0);
  shift->setChecked(model.shift != 0);
  key->setCurrentIndex(model.keyIndex >= 0 && model.keyIndex < kHotkeyKeyCount ? model.keyIndex : -1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(Localized(1));
  buttons->button(QDialogButtonBox::Cancel)->setText(Localized(2));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(ctrl);
  row->addWidget(shift);
  row->addWidget(key, 1);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(row);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return kAnswerCancel;
  model.ctrl = ctrl->isChecked() ? 1 : 0;
  model.shift = shift->isChecked() ? 1 : 0;
  model.keyIndex = key->currentIndex();
  return kAnswerOk;
}
