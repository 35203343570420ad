#include "platform/qt/qt_platform.h"

#include <QMetaObject>

#include "platform/command_queue.h"
#include "platform/platform_services.h"

QtPlatform::QtPlatform() {
  InstallPlatformServices({&ui_, &dialogs_, &settings_, &launcher_, &input_});
  RegisterQtPictureCodec(&pictures_);
  ProgramCommandQueue().SetWakeMainLoop([this] { RequestTurn(); });
  input_.SetAfterPoll([this] {
    if (input_.HoldsInput() || ProgramCommandQueue().Pending() > 0) RequestTurn();
  });
}

QtPlatform::~QtPlatform() {
  ProgramCommandQueue().SetWakeMainLoop(nullptr);
  UnregisterQtPictureCodec();
  InstallPlatformServices({});
}

void QtPlatform::RequestTurn() {
  if (turnRequested_) return;
  turnRequested_ = true;
  QMetaObject::invokeMethod(&turnContext_, [this] { Turn(); }, Qt::QueuedConnection);
}

void QtPlatform::Turn() {
  turnRequested_ = false;
  // Still inside a job, a dialog or a poll: the release of the hold or the poll's end asks again.
  if (ProgramCommandQueue().Held() || input_.Polling()) return;
  input_.Replay();
  ProgramCommandQueue().Drain();
}
