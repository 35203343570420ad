#include "platform/qt/qt_launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

bool QtLauncher::OpenUrl(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool QtLauncher::OpenFile(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtLauncher::StartDetached(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return false;
  QStringList rest;
  for (std::size_t i = 1; i < arguments.size(); ++i) rest.push_back(QString::fromStdString(arguments[i]));
  return QProcess::startDetached(QString::fromStdString(arguments[0]), rest);
}
