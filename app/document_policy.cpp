#include "app/document_policy.h"

#include "app/vorn_doc.h"
#include "scene/design_file.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

// The active document, after the save question; a first child window when there is none. Null
// when the question was cancelled or no window could be made.
CVornDoc* DocumentToReplace(DocumentFrames& frames, OpenOutcome* outcome) {
  if (CVornDoc* document = frames.ActiveDocument()) {
    if (document->SaveModified()) return document;
    *outcome = OpenOutcome::kCancelled;
    return nullptr;
  }
  CVornDoc* document = frames.OpenFirstChildWindow();
  if (document == nullptr) *outcome = OpenOutcome::kFailed;
  return document;
}

// Shown and titled as a document without a file.
void MakeUntitled(DocumentFrames& frames, CVornDoc* document) {
  document->UpdateAllViews();
  document->SetModifiedFlag(false);
  document->ClearPathName();
  frames.UpdateFrameTitle();
}

}  // namespace

CVornDoc* OpenDocumentFile(DocumentFrames& frames, const std::string& path, OpenOutcome* outcome) {
  OpenOutcome ignored;
  if (outcome == nullptr) outcome = &ignored;
  // Checked before the design on screen is given up, so a file that is no design leaves it as it
  // was, under its own name.
  if (!CheckDesignFile(path)) {
    *outcome = OpenOutcome::kFailed;
    return nullptr;
  }
  CVornDoc* document = DocumentToReplace(frames, outcome);
  if (document == nullptr) return nullptr;
  // The open has emptied the scene either way: a failure must not keep the old path, or a later
  // Save would write the empty design over a file that was never read.
  if (!document->OnOpenDocument(path)) {
    MakeUntitled(frames, document);
    *outcome = OpenOutcome::kFailed;
    return nullptr;
  }
  document->UpdateAllViews();
  document->SetModifiedFlag(false);
  // A design read with losses is not offered again from the recent files as if it were whole.
  const int unread = document->UnreadObjects();
  document->SetPathName(path, unread == 0);
  frames.UpdateFrameTitle();
  if (unread > 0) {
    ShowMessageBox(FillStringArguments(GetLocalizedString(kObjectsNotReadMessage),
                                       {std::to_string(unread), path}));
  }
  *outcome = OpenOutcome::kOpened;
  return document;
}

void OnFileNew(DocumentFrames& frames) {
  OpenOutcome outcome;
  CVornDoc* document = DocumentToReplace(frames, &outcome);
  if (document == nullptr) return;
  document->OnNewDocument();
  MakeUntitled(frames, document);
}

void OnFileSave(DocumentFrames& frames) {
  if (CVornDoc* document = frames.ActiveDocument()) {
    document->DoFileSave();
    frames.UpdateFrameTitle();
  }
}

void OnFileSaveAs(DocumentFrames& frames) {
  if (CVornDoc* document = frames.ActiveDocument()) {
    document->DoSave({}, true);
    frames.UpdateFrameTitle();
  }
}

void OpenStartupDocument(DocumentFrames& frames, const std::string& path) {
  // A design that cannot be read has shown its message; the program goes on with a new one.
  if (path.empty() || OpenDocumentFile(frames, path) == nullptr) OnFileNew(frames);
}
