#include "app/vorn_doc.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "document_fixture.h"
#include "record_fixture.h"

namespace {

class VornDocTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    MakeDocument();
  }
  void TearDown() override {
    document.reset();
    DocumentTest::TearDown();
  }

  // A fresh document with three views.
  void MakeDocument() {
    document = std::make_unique<CVornDoc>();
    for (auto& pane : panes) {
      pane = std::make_unique<CanvasPane>();
      document->AddView(pane.get());
    }
  }

  std::vector<CViewport*> Walk() {
    std::vector<CViewport*> walked;
    while (CViewport* view = document->NextView()) {
      EXPECT_EQ(GetDrawingView(), dynamic_cast<CanvasView*>(view));
      walked.push_back(view);
    }
    return walked;
  }

  std::unique_ptr<CVornDoc> document;
  std::unique_ptr<CanvasPane> panes[3];
  CanvasPane outside;
};

TEST_F(VornDocTest, NextViewGivesEveryViewThenNullAndPutsTheDrawingTargetBack) {
  SetDrawingView(&outside);
  const std::vector<CViewport*> all = {panes[0].get(), panes[1].get(), panes[2].get()};
  EXPECT_EQ(Walk(), all);
  EXPECT_EQ(GetDrawingView(), &outside);
  EXPECT_EQ(Walk(), all);  // the next walk starts afresh
}

TEST_F(VornDocTest, AViewClosedMidWalkLeavesNoDanglingResult) {
  // Two views walked, then one closed; the walk began with the first view as drawing target.
  struct Case {
    int closed;
    std::vector<int> rest;
    bool targetBack;
  };
  const Case cases[] = {{1, {2}, true}, {0, {2}, false}, {2, {}, true}};
  for (const Case& c : cases) {
    MakeDocument();
    SetDrawingView(panes[0].get());
    ASSERT_EQ(document->NextView(), panes[0].get());
    ASSERT_EQ(document->NextView(), panes[1].get());
    document->RemoveView(panes[c.closed].get());
    panes[c.closed].reset();
    std::vector<CViewport*> rest;
    for (const int i : c.rest) rest.push_back(panes[i].get());
    EXPECT_EQ(Walk(), rest) << c.closed;
    EXPECT_EQ(GetDrawingView(), c.targetBack ? panes[0].get() : nullptr) << c.closed;
    EXPECT_EQ(document->Views().size(), 2u);
  }
}

TEST_F(VornDocTest, AScopedWalkAlwaysEndsAndLeavesTheHistorysWalkAlone) {
  SetDrawingView(&outside);
  std::vector<CViewport*> visited;
  std::vector<CViewport*> nested;
  document->ForEachView([&](CViewport* view) {
    visited.push_back(view);
    if (view == panes[0].get()) {
      nested = Walk();
      EXPECT_EQ(GetDrawingView(), panes[0].get());
      // Closing the view being visited skips nothing.
      document->RemoveView(view);
    }
  });
  EXPECT_EQ(visited, (std::vector<CViewport*>{panes[0].get(), panes[1].get(), panes[2].get()}));
  EXPECT_EQ(nested, visited);
  EXPECT_EQ(GetDrawingView(), &outside);

  EXPECT_THROW(document->ForEachView([](CViewport*) { throw std::runtime_error("stop"); }), std::runtime_error);
  EXPECT_EQ(GetDrawingView(), &outside);
  EXPECT_EQ(document->NextView(), panes[1].get());
}

TEST_F(VornDocTest, PathNamesAreAbsoluteOfAnyLengthAndTitledByTheirFileName) {
  const std::string cwd = std::filesystem::current_path().string();
  const std::string longName = std::string(300 - dir.path().size() - 5, 'r') + ".lxd";
  struct Case {
    std::string given, path, title;
  };
  const Case cases[] = {
      {"ring.lxd", cwd + "/ring.lxd", "ring.lxd"},
      {"/designs/old/../ring.v2.lxd", "/designs/ring.v2.lxd", "ring.v2.lxd"},
      {dir.path() + "/" + longName, dir.path() + "/" + longName, longName},
      {"", "", "Untitled"},
  };
  std::vector<std::string> recent;
  document->SetRecentFileSink([&](const std::string& path) { recent.push_back(path); });
  for (const Case& c : cases) {
    document->SetPathName(c.given);
    EXPECT_EQ(document->GetPathName(), c.path) << c.given;
    EXPECT_EQ(document->GetTitle(), c.title) << c.given;
  }
  EXPECT_EQ(cases[2].path.size(), 300u);
  EXPECT_EQ(recent, (std::vector<std::string>{cases[0].path, cases[1].path, cases[2].path}));
  document->SetPathName("ring.lxd", false);
  EXPECT_EQ(recent.size(), 3u);
}

TEST_F(VornDocTest, SaveAsksForANameUnlessTheDocumentsFileMayBeWritten) {
  struct Case {
    std::string name;
    bool named, present, readOnly, asks;
  };
  const Case cases[] = {
      {"new", false, false, false, true},
      {"file gone", true, false, false, true},
      {"read-only", true, true, true, true},
      {"writable", true, true, false, false},
  };
  for (const Case& c : cases) {
    TempDir folder;
    const std::string own = folder.Write("ring.lxd", DesignFile({CurveRecord()}));
    ASSERT_TRUE(document->OnOpenDocument(own));
    document->SetModifiedFlag(true);
    if (c.named) {
      document->SetPathName(own);
    } else {
      document->ClearPathName();
    }
    if (!c.present) std::filesystem::remove(own);
    if (c.readOnly) chmod(own.c_str(), 0444);
    const Bytes before = c.present ? ReadWholeFile(own) : Bytes();
    Headless().fileRequests.clear();
    if (c.asks) AnswerFileDialog(folder.File("chosen"));

    EXPECT_TRUE(document->DoFileSave()) << c.name;
    const std::string saved = c.asks ? folder.File("chosen.lxd") : own;
    EXPECT_EQ(document->GetPathName(), saved) << c.name;
    EXPECT_EQ(document->GetTitle(), c.asks ? "chosen.lxd" : "ring.lxd") << c.name;
    EXPECT_FALSE(document->IsModified()) << c.name;
    EXPECT_EQ(ReadWholeFile(saved), DesignFile({CurveRecord()})) << c.name;
    ASSERT_EQ(Headless().fileRequests.size(), c.asks ? 1u : 0u) << c.name;
    if (!c.asks) continue;
    const FileDialogRequest& request = Headless().fileRequests[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.defaultName, c.named ? own : "Untitled.lxd") << c.name;
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].pattern, "*.lxd");
    EXPECT_EQ(request.filters[1].description, "All Files (*.*)");
    if (c.present) {
      EXPECT_EQ(ReadWholeFile(own), before) << c.name;
    }
  }
}

// The question covers the name that is written, extension included; No goes back to the dialog.
TEST_F(VornDocTest, SaveAsAsksBeforeReplacingTheFileItWillWrite) {
  struct Case {
    const char* typed;
    const char* written;
    int answer;  // to the question, when it comes
    bool asks;
  };
  const Case cases[] = {
      {"ring", "ring.lxd", kAnswerNo, true},     {"ring.lxd", "ring.lxd", kAnswerNo, true},
      {"ring", "ring.lxd", kAnswerYes, true},    {"band", "band.lxd", kAnswerNo, false},
      {"ring.LXD", "ring.LXD", kAnswerNo, false},
  };
  const Bytes existing = DesignFile({AxisLineRecord(0, 5)});
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.answer == kAnswerYes ? " yes" : " no"));
    TempDir folder;
    const std::string ring = folder.Write("ring.lxd", existing);
    document->ClearPathName();
    Headless().messages.clear();
    Headless().fileRequests.clear();
    AnswerFileDialog(folder.File(c.typed));
    if (c.asks) Headless().messageAnswers.push_back(c.answer);
    const bool declined = c.asks && c.answer == kAnswerNo;
    if (declined) AnswerFileDialog(std::nullopt);

    EXPECT_EQ(document->DoSave({}), !declined);
    const std::vector<std::string> asked =
        c.asks ? std::vector<std::string>{std::string(c.written) + " already exists.\nDo you want to replace it?"}
               : std::vector<std::string>{};
    EXPECT_EQ(MessageTexts(), asked);
    const bool replaced = !declined && std::string(c.written) == "ring.lxd";
    EXPECT_EQ(ReadWholeFile(ring), replaced ? DesignFile({}) : existing);
    if (!declined) {
      EXPECT_EQ(document->GetPathName(), folder.File(c.written));
      continue;
    }
    // The dialog comes back where the user left it.
    ASSERT_EQ(Headless().fileRequests.size(), 2u);
    EXPECT_EQ(Headless().fileRequests[1].initialFolder, folder.path());
    EXPECT_EQ(Headless().fileRequests[1].defaultName, c.written);
  }
}

TEST_F(VornDocTest, APathTheSystemRefusesFailsAsAnOpenOrASaveAndChangesNothing) {
  const std::string own = dir.Write("ring.lxd", DesignFile({CurveRecord()}));
  ASSERT_TRUE(document->OnOpenDocument(own));
  document->SetPathName(own);
  document->SetModifiedFlag(true);
  // One name of 300 characters is more than the file system takes.
  const std::string refused = dir.File(std::string(296, 'r') + ".lxd");

  EXPECT_FALSE(document->DoSave(refused));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Cannot write to file!\n" + refused});
  EXPECT_EQ(document->GetPathName(), own);
  EXPECT_EQ(document->GetTitle(), "ring.lxd");
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(SceneObjectCount(), 1);

  EXPECT_FALSE(document->OnOpenDocument(refused));
  EXPECT_EQ(MessageTexts().back(), "Cannot open file!\n" + refused);
}

}  // namespace
