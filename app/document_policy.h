#pragma once

#include <string>

class CVornDoc;

// The program keeps one document: new and open re-use the document of the active child window
// and create a window only when there is none. The main frame lends its windows through this.
class DocumentFrames {
 public:
  // Null without a child window.
  virtual CVornDoc* ActiveDocument() = 0;
  // A new document with its child window and view, maximised; the scene is left as it is.
  virtual CVornDoc* OpenFirstChildWindow() = 0;
  virtual void UpdateFrameTitle() = 0;

 protected:
  ~DocumentFrames() = default;
};

enum class OpenOutcome {
  kOpened,
  kCancelled,  // the save question stopped it; the document is as it was
  kFailed,     // the design could not be read; the document is a new, untitled one
};

// Opens the design at path into the one document, after the save question. A file that does not
// open or is no design is refused first, named in the message, leaving the document as it was; a
// design that still cannot be read leaves a new, untitled document (the open has said why). A
// design of which some objects could not be read opens with what was read, says how many were
// lost and enters no recent-file list. Null unless it opened; outcome tells a failure, after
// which a recent-file entry is dropped, from a cancel, after which it stays.
CVornDoc* OpenDocumentFile(DocumentFrames& frames, const std::string& path, OpenOutcome* outcome = nullptr);
// File New (57600): after the save question, the one document is emptied and untitled.
void OnFileNew(DocumentFrames& frames);
// Save (57603) and Save As (57604) of the active document.
void OnFileSave(DocumentFrames& frames);
void OnFileSaveAs(DocumentFrames& frames);
// The document start-up begins with: the design named on the command line, or a new one when
// none is named or it could not be read.
void OpenStartupDocument(DocumentFrames& frames, const std::string& path);
