#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The width a window needs for the window manager to show its title whole: the title in the
// bold face of the application's font, with room beside it for the frame's icon and buttons.
int TitleWidth(const QString& title);

// Keeps every dialog the program shows at least as wide as its title needs, from before it is
// first shown and whenever its title changes. Lives as long as the application's windows.
class WholeTitles : public QObject {
 public:
  WholeTitles();
  ~WholeTitles() override;
  WholeTitles(const WholeTitles&) = delete;
  WholeTitles& operator=(const WholeTitles&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
