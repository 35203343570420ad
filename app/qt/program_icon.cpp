#include "app/qt/program_icon.h"

#include <QFile>

namespace {

const QString kProgramIconPath = QStringLiteral(":/art/app/lumidrex.svg");

}  // namespace

std::string ProgramIconSvg() {
  QFile file(kProgramIconPath);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

QIcon ProgramIcon() { return QIcon(kProgramIconPath); }
