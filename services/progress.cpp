#include "services/progress.h"

#include <cstdint>

#include "platform/platform_services.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kCancelQuestion = 10137;  // "Are you sure to Cancel?"
constexpr int kCancelButtonText = 2;

// The bar's own step: past its upper bound it starts over from the lower one.
int BarPositionAfter(std::int64_t position, int lower, int upper) {
  if (upper > lower && position > upper) position = (position - lower) % (std::int64_t{upper} - lower) + lower;
  return static_cast<int>(position);
}

}  // namespace

int CProgressDlg::Create() {
  window_ = Platform().ui->OpenProgressWindow(*this, GetLocalizedString(kCancelButtonText));
  if (!window_) return 0;
  hold_ = std::make_unique<CommandQueueHold>();
  OnInitDialog();
  return 1;
}

void CProgressDlg::OnInitDialog() {
  window_->SetRange(lowerBound, upperBound);
  position = lowerBound;
  window_->SetPosition(position);
  SetWindowText(GetResourceString(captionStringId));
}

void CProgressDlg::DestroyWindow() {
  window_.reset();
  hold_.reset();
}

void CProgressDlg::SetWindowText(const std::string& text) {
  windowText = text;
  if (window_) window_->SetCaption(text);
}

bool CProgress::Open(int n, const std::string& title, int step) {
  Close();
  auto dialog = std::make_unique<CProgressDlg>();
  if (dialog->Create() == 0) return false;
  dialog->upperBound = n;
  dialog->lowerBound = 0;
  dialog->window_->SetRange(0, n);
  dialog->step = step;
  dialog->captionText = title;
  dialog->SetWindowText(title);
  dialog_ = std::move(dialog);
  return true;
}

bool CProgress::OpenWithStringId(int n, int stringKey, int step) { return Open(n, GetLocalizedString(stringKey), step); }

int CProgress::StepIt() {
  if (!dialog_) return 0;
  CProgressDlg& dialog = *dialog_;
  dialog.window_->PumpEvents();

  const std::int64_t next = std::int64_t{dialog.position} + dialog.step;
  const std::int64_t range = std::int64_t{dialog.upperBound} - dialog.lowerBound;
  const std::int64_t percent = range != 0 ? (next - dialog.lowerBound) * 100 / range : 100;
  dialog.position = BarPositionAfter(next, dialog.lowerBound, dialog.upperBound);
  dialog.window_->SetPosition(dialog.position);
  const std::string caption =
      dialog.captionText + " " + std::to_string(percent == 100 ? 100 : percent % 100) + "%";
  if (caption != dialog.windowText) dialog.SetWindowText(caption);

  dialog.window_->PumpEvents();
  if (dialog.cancelPressed == 0) return 0;
  dialog.cancelPressed = 0;
  return ShowMessageBox(GetLocalizedString(kCancelQuestion), ApplicationTitle(), kMessageYesNo) == kAnswerYes ? 1 : 0;
}

void CProgress::Close() { dialog_.reset(); }
