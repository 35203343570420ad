#include "app/vorn_doc.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "scene/design_file.h"
#include "scene/drawing_context.h"
#include "scene/viewport.h"
#include "services/file_names.h"
#include "services/resource_strings.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr char kSaveQuestion[] = "Save changes to %1?";

// Views that draw lend their canvas; a bare viewport has none.
CanvasView* CanvasOf(CViewport* view) { return dynamic_cast<CanvasView*>(view); }

// A regular file that is not marked read-only and that the user may write; root may write any
// file, so for root the mode alone decides.
bool IsWritableFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

}  // namespace

// A walk of ForEachView, known to the document while it runs so that removed views adjust it.
class CVornDoc::ScopedWalk {
 public:
  explicit ScopedWalk(CVornDoc& owner) : document(owner), walk(owner.StartWalk()) {
    document.scopedWalks_.push_back(&walk);
  }
  ~ScopedWalk() {
    std::erase(document.scopedWalks_, &walk);
    Finish(walk);
  }
  ScopedWalk(const ScopedWalk&) = delete;
  ScopedWalk& operator=(const ScopedWalk&) = delete;

  CVornDoc& document;
  ViewWalk walk;
};

CVornDoc::CVornDoc() { ClearPathName(); }

CVornDoc::~CVornDoc() { NewScene(this); }

bool CVornDoc::OnNewDocument() {
  unreadObjects_ = 0;
  return NewScene(this) != 0;
}

bool CVornDoc::OnOpenDocument(const std::string& path) { return OpenScene(this, path, &unreadObjects_) != 0; }

bool CVornDoc::OnSaveDocument(const std::string& path) { return SaveScene(this, path) != 0; }

void CVornDoc::SetPathName(const std::string& path, bool addToRecentList) {
  if (path.empty()) {
    ClearPathName();
    return;
  }
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  pathName_ = error ? path : full.lexically_normal().string();
  const std::string name = std::filesystem::path(pathName_).filename().string();
  title_ = name.empty() ? pathName_ : name;
  if (addToRecentList && recentFileSink_) recentFileSink_(pathName_);
}

void CVornDoc::SetModifiedFlag(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  if (modifiedSink_) modifiedSink_();
}

void CVornDoc::ClearPathName() {
  pathName_.clear();
  title_ = GetResourceString(kUntitledString);
}

std::string CVornDoc::SaveQuestion() const {
  std::string question = kSaveQuestion;
  question.replace(question.find("%1"), 2, title_);
  return question;
}

bool CVornDoc::SaveModified() {
  if (!IsModified()) return true;
  switch (ShowMessageBox(SaveQuestion(), ApplicationTitle(), kMessageYesNoCancel)) {
    case kAnswerYes:
      return DoFileSave();
    case kAnswerNo:
      return true;
    default:
      return false;
  }
}

bool CVornDoc::DoFileSave() {
  if (!IsWritableFile(pathName_)) return DoSave({}, true);
  if (unreadObjects_ > 0) {
    const std::string loss =
        FillStringArguments(GetLocalizedString(kObjectsNotReadMessage),
                            {std::to_string(unreadObjects_), pathName_});
    switch (ShowMessageBox(loss + "\n" + SaveQuestion(), ApplicationTitle(), kMessageYesNoCancel)) {
      case kAnswerYes:
        break;
      case kAnswerNo:
        return DoSave({}, true);
      default:
        return false;
    }
  }
  return DoSave(pathName_, true);
}

bool CVornDoc::DoSave(const std::string& path, bool replace) {
  std::string name = path;
  if (name.empty()) {
    static int filterIndex = 1;
    const std::string suggestion = pathName_.empty() ? title_ + ".lxd" : pathName_;
    std::optional<std::string> chosen = FileDialogPrompt(0, &filterIndex, DesignFileFilter(), {}, suggestion);
    if (!chosen) return false;
    name = std::move(*chosen);
  }
  if (!OnSaveDocument(name)) {
    ShowFileMessage(kCannotWriteMessage, name);
    return false;
  }
  if (replace) {
    SetPathName(name);
    unreadObjects_ = 0;
  }
  return true;
}

void CVornDoc::AddView(CViewport* view) {
  if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CVornDoc::RemoveView(CViewport* view) {
  const auto found = std::find(views_.begin(), views_.end(), view);
  if (found == views_.end()) return;
  const auto index = static_cast<std::size_t>(found - views_.begin());
  views_.erase(found);
  const CanvasView* canvas = CanvasOf(view);
  const auto adjust = [&](ViewWalk& walk) {
    if (index < walk.next) --walk.next;
    if (canvas != nullptr && canvas == walk.savedTarget) walk.savedTargetGone = true;
  };
  if (historyWalking_) adjust(historyWalk_);
  for (ViewWalk* walk : scopedWalks_) adjust(*walk);
}

CVornDoc::ViewWalk CVornDoc::StartWalk() const { return ViewWalk{0, GetDrawingView(), false}; }

CViewport* CVornDoc::Step(ViewWalk& walk) const {
  if (walk.next >= views_.size()) return nullptr;
  CViewport* view = views_[walk.next++];
  SetDrawingView(CanvasOf(view));
  return view;
}

void CVornDoc::Finish(const ViewWalk& walk) {
  // A target whose view has gone is not brought back: drawing then has no target.
  SetDrawingView(walk.savedTargetGone ? nullptr : walk.savedTarget);
}

CViewport* CVornDoc::NextView() {
  if (!historyWalking_) {
    historyWalk_ = StartWalk();
    historyWalking_ = true;
  }
  if (CViewport* view = Step(historyWalk_)) return view;
  historyWalking_ = false;
  Finish(historyWalk_);
  return nullptr;
}

void CVornDoc::ForEachView(const std::function<void(CViewport*)>& visit) {
  ScopedWalk scoped(*this);
  while (CViewport* view = Step(scoped.walk)) visit(view);
}

void CVornDoc::UpdateAllViews() {
  ForEachView([](CViewport* view) { view->InvalidateViewportRect(); });
}
