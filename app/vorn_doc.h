#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "scene/undo_history.h"

class CanvasView;
class CViewport;

// The document of the design windows. It keeps no model of its own: new, open and save go to the
// scene's design file, and the scene's history reaches the document's views and modified flag
// through NextView and SetModified.
class CVornDoc : public CUndoHistory {
 public:
  // A new document: no path, titled "Untitled".
  CVornDoc();
  // Closing the document clears the scene and its history.
  ~CVornDoc() override;

  bool OnNewDocument();
  // false when the design could not be read; the open has said why and left the scene empty.
  bool OnOpenDocument(const std::string& path);
  bool OnSaveDocument(const std::string& path);
  // How many objects of the design's file the last open could not read; 0 again once the
  // document has been saved under a name of its own, or is new.
  int UnreadObjects() const { return unreadObjects_; }

  // Keeps the absolute form of path, of any length; the title becomes its file name with the
  // extension. With addToRecentList the path goes to the recent-file list. An empty path makes
  // the document untitled.
  void SetPathName(const std::string& path, bool addToRecentList = true);
  // No path, the title "Untitled": the document has no file of its own.
  void ClearPathName();
  const std::string& GetPathName() const { return pathName_; }
  const std::string& GetTitle() const { return title_; }
  // Where SetPathName hands paths for the recent-file list; without one they go nowhere.
  void SetRecentFileSink(std::function<void(const std::string&)> sink) { recentFileSink_ = std::move(sink); }

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true);
  // Told whenever the modified flag changes.
  void SetModifiedSink(std::function<void()> sink) { modifiedSink_ = std::move(sink); }
  void SetModified(int flag) override { SetModifiedFlag(flag != 0); }

  // Asks "Save changes to <title>?" when there are unsaved changes: Yes saves, No goes on,
  // Cancel stops. false when the pending action must not go on: cancelled, or the save failed.
  bool SaveModified();
  // Save: under the document's path, or under a name asked for when it has none yet, or its file
  // is gone or read-only. Over a file that could not be read whole it first asks, naming the loss:
  // Yes writes over it, No asks for another name, Cancel stops.
  bool DoFileSave();
  // Saves under path, or under a name asked for when path is empty; with replace the saved
  // name becomes the document's. A failed save says "Cannot write to file!" and leaves path,
  // title and modified flag as they were.
  bool DoSave(const std::string& path, bool replace = true);

  // The views showing the document. A view leaves the list before it is destroyed.
  void AddView(CViewport* view);
  void RemoveView(CViewport* view);
  const std::vector<CViewport*>& Views() const { return views_; }

  // The history's walk over the views: each call makes the next view the drawing target and
  // returns it; after the last it puts back the drawing target from before the walk and returns
  // null. A walk left unfinished goes on with the next call; a view removed meanwhile is skipped
  // without missing another.
  CViewport* NextView() override;
  // Calls visit with each view, made the drawing target, in a walk of its own that always ends
  // with the earlier drawing target put back, however visit leaves; walks may nest.
  void ForEachView(const std::function<void(CViewport*)>& visit);
  // Every view redraws in full.
  void UpdateAllViews();

 private:
  struct ViewWalk {
    std::size_t next = 0;
    // The drawing target before the walk; forgotten when its view leaves the document.
    CanvasView* savedTarget = nullptr;
    bool savedTargetGone = false;
  };
  class ScopedWalk;

  // "Save changes to <title>?"
  std::string SaveQuestion() const;
  ViewWalk StartWalk() const;
  CViewport* Step(ViewWalk& walk) const;
  static void Finish(const ViewWalk& walk);

  std::string pathName_;
  std::string title_;
  bool modified_ = false;
  int unreadObjects_ = 0;
  std::function<void(const std::string&)> recentFileSink_;
  std::function<void()> modifiedSink_;
  std::vector<CViewport*> views_;
  // NextView's walk, while one runs.
  bool historyWalking_ = false;
  ViewWalk historyWalk_;
  // The scoped walks running, innermost last.
  std::vector<ViewWalk*> scopedWalks_;
};
