#include "app/qt/toolbar_art.h"

#include <QFile>
#include <QString>

namespace {

struct ThemeIcon {
  int commandId;
  const char* name;
};

// Commands that have a freedesktop icon of their own; our picture stays as the fallback.
constexpr ThemeIcon kThemeIcons[] = {
    {57600, "document-new"}, {57601, "document-open"}, {57603, "document-save"},
    {57643, "edit-undo"},    {57644, "edit-redo"},     {57669, "help-contents"},
};

}  // namespace

QIcon ToolbarIcon(int commandId) {
  const QString path = QStringLiteral(":/art/toolbar/%1.svg").arg(commandId);
  if (!QFile::exists(path)) return QIcon();
  const QIcon ours(path);
  for (const ThemeIcon& themed : kThemeIcons) {
    if (themed.commandId == commandId) return QIcon::fromTheme(QString::fromLatin1(themed.name), ours);
  }
  return ours;
}
