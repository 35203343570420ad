#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>

#include <memory>

#include "platform/common_dialogs.h"

class QColorDialog;

// QFileDialog, QFontDialog and one QColorDialog for the whole run.
class QtCommonDialogs : public CommonDialogs {
 public:
  QtCommonDialogs();
  ~QtCommonDialogs() override;

  std::optional<FileDialogAnswer> AskFileName(const FileDialogRequest& request) override;
  std::optional<std::string> AskFolder(const std::string& startFolder) override;
  std::optional<std::uint32_t> AskColor(std::uint32_t initial, CustomColorSet* customColors) override;
  std::optional<FontChoice> AskFont(const FontChoice& initial) override;

 private:
  std::unique_ptr<QColorDialog> colorDialog_;
};

// One Qt name filter per filter: the description without its own "(...)", then the patterns,
// with "*.*" as "*" (Qt's "*.*" would skip names without a dot).
QStringList QtNameFilters(const std::vector<FileFilter>& filters);

// A font of the choice's family, weight and slant at its em height in pixels, and back.
QFont QFontFromChoice(const FontChoice& choice);
FontChoice ChoiceFromQFont(const QFont& font);

QColor ColorFromColorRef(std::uint32_t color);
std::uint32_t ColorRefFromColor(const QColor& color);
