#include "app/document_policy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/vorn_doc.h"
#include "current_folder.h"
#include "document_fixture.h"
#include "record_fixture.h"

namespace {

// The main frame's windows: at most one child, whose document shows in one pane.
class FakeFrames : public DocumentFrames {
 public:
  ~FakeFrames() { document.reset(); }
  CVornDoc* ActiveDocument() override { return document.get(); }
  CVornDoc* OpenFirstChildWindow() override {
    ++childWindows;
    document = std::make_unique<CVornDoc>();
    document->AddView(&pane);
    document->SetRecentFileSink([this](const std::string& path) { recent.push_back(path); });
    return document.get();
  }
  void UpdateFrameTitle() override { titles.push_back(document->GetTitle()); }

  CanvasPane pane;
  std::unique_ptr<CVornDoc> document;
  int childWindows = 0;
  std::vector<std::string> recent;
  std::vector<std::string> titles;
};

class DocumentPolicyTest : public DocumentTest {
 protected:
  void TearDown() override {
    frames.reset();
    DocumentTest::TearDown();
  }

  // A design of count curves in the test's folder.
  std::string Design(const std::string& name, int count) {
    return dir.Write(name, DesignFile(std::vector<Bytes>(static_cast<std::size_t>(count), CurveRecord())));
  }

  std::unique_ptr<FakeFrames> frames = std::make_unique<FakeFrames>();
};

TEST_F(DocumentPolicyTest, OpeningASecondDesignKeepsTheOneDocument) {
  const std::string first = Design("first.lxd", 1);
  const std::string second = Design("second.lxd", 2);
  CVornDoc* document = OpenDocumentFile(*frames, first);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->GetTitle(), "first.lxd");
  const int redraws = frames->pane.redraws;

  OpenOutcome outcome = OpenOutcome::kFailed;
  EXPECT_EQ(OpenDocumentFile(*frames, second, &outcome), document);
  EXPECT_EQ(outcome, OpenOutcome::kOpened);
  EXPECT_EQ(frames->childWindows, 1);
  EXPECT_EQ(document->GetPathName(), second);
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(SceneObjectCount(), 2);
  EXPECT_GT(frames->pane.redraws, redraws);
  EXPECT_EQ(frames->recent, (std::vector<std::string>{first, second}));
  EXPECT_EQ(frames->titles, (std::vector<std::string>{"first.lxd", "second.lxd"}));
  EXPECT_TRUE(Headless().messages.empty());
}

TEST_F(DocumentPolicyTest, TheSaveQuestionDecidesWhetherTheNextDesignOpens) {
  const std::string question = "Save changes to first.lxd?";
  // A read-only design is saved under a name asked for; the chosen name lies in no folder when
  // the save is to fail.
  struct Case {
    std::string name;
    int answer;
    bool readOnly;
    std::optional<std::string> chosen;
    bool opens;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"yes", kAnswerYes, false, {}, true, {question}},
      {"no", kAnswerNo, false, {}, true, {question}},
      {"cancel", kAnswerCancel, false, {}, false, {question}},
      {"yes, then no name", kAnswerYes, true, std::nullopt, false, {question}},
      {"yes, failing save", kAnswerYes, true, "missing/first.lxd", false, {question, "Cannot write to file!"}},
  };
  for (const Case& c : cases) {
    frames = std::make_unique<FakeFrames>();
    std::filesystem::remove(dir.File("first.bak"));
    const std::string first = Design("first.lxd", 1);
    const std::string second = Design("second.lxd", 2);
    CVornDoc* document = OpenDocumentFile(*frames, first);
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(true);
    if (c.readOnly) chmod(first.c_str(), 0444);
    Headless().messages.clear();
    Headless().messageAnswers = {c.answer};
    if (c.readOnly) AnswerFileDialog(c.chosen ? std::optional(dir.File(*c.chosen)) : std::nullopt);

    OpenOutcome outcome = OpenOutcome::kFailed;
    EXPECT_EQ(OpenDocumentFile(*frames, second, &outcome), c.opens ? document : nullptr) << c.name;
    EXPECT_EQ(outcome, c.opens ? OpenOutcome::kOpened : OpenOutcome::kCancelled) << c.name;
    EXPECT_EQ(MessageTexts(), c.messages) << c.name;
    EXPECT_EQ(Headless().messages[0].caption, "Lumidrex 5.1");
    EXPECT_EQ(Headless().messages[0].buttons, kMessageYesNoCancel);
    // Only a save in place leaves the backup of the old design.
    EXPECT_EQ(std::filesystem::exists(dir.File("first.bak")), c.answer == kAnswerYes && !c.readOnly) << c.name;
    EXPECT_EQ(document->GetPathName(), c.opens ? second : first) << c.name;
    EXPECT_EQ(document->IsModified(), !c.opens) << c.name;
    EXPECT_EQ(SceneObjectCount(), c.opens ? 2 : 1) << c.name;
    EXPECT_EQ(frames->childWindows, 1);
    chmod(first.c_str(), 0644);
  }
}

TEST_F(DocumentPolicyTest, FileNewIsUntitledAndSaveNeverOverwritesAFileCalledUntitled) {
  const CurrentFolder folder(dir.path());
  const std::string untitled = dir.Write("Untitled", std::string_view("someone else's file"));
  const Bytes before = ReadWholeFile(untitled);
  CVornDoc* document = OpenDocumentFile(*frames, Design("first.lxd", 1));
  ASSERT_NE(document, nullptr);
  document->SetModifiedFlag(true);
  Headless().messageAnswers = {kAnswerNo};
  const int redraws = frames->pane.redraws;

  OnFileNew(*frames);
  EXPECT_EQ(frames->ActiveDocument(), document);
  EXPECT_EQ(document->GetPathName(), "");
  EXPECT_EQ(document->GetTitle(), "Untitled");
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(SceneObjectCount(), 0);
  EXPECT_GT(frames->pane.redraws, redraws);
  EXPECT_EQ(frames->titles.back(), "Untitled");

  document->SetModifiedFlag(true);
  AnswerFileDialog(std::nullopt);
  OnFileSave(*frames);
  ASSERT_EQ(Headless().fileRequests.size(), 1u);
  EXPECT_EQ(Headless().fileRequests[0].defaultName, "Untitled.lxd");
  EXPECT_EQ(ReadWholeFile(untitled), before);
  EXPECT_TRUE(document->IsModified());
}

TEST_F(DocumentPolicyTest, SaveAsAlwaysAsksAndRenamesTheDocument) {
  const std::string first = Design("first.lxd", 1);
  CVornDoc* document = OpenDocumentFile(*frames, first);
  ASSERT_NE(document, nullptr);
  AnswerFileDialog(dir.File("copy"));
  OnFileSaveAs(*frames);
  EXPECT_EQ(document->GetPathName(), dir.File("copy.lxd"));
  EXPECT_EQ(frames->titles.back(), "copy.lxd");
  EXPECT_EQ(frames->recent, (std::vector<std::string>{first, dir.File("copy.lxd")}));
  EXPECT_EQ(ReadWholeFile(dir.File("copy.lxd")), ReadWholeFile(first));
}

TEST_F(DocumentPolicyTest, AFailedOpenLeavesAnUntitledDocumentOutOfTheRecentList) {
  struct Case {
    std::string name;
    bool withWindow;
    std::string file;
    std::string message;
  };
  const Case cases[] = {
      {"missing", true, "missing.lxd", "Cannot open file!"},
      {"wrong magic", true, "other.lxd", "Invalid file format!"},
      {"wrong magic, first window", false, "other.lxd", "Invalid file format!"},
  };
  dir.Write("other.lxd", std::string_view("TALVERNOSIGN0099:#"));
  const std::string first = Design("first.lxd", 1);
  for (const Case& c : cases) {
    frames = std::make_unique<FakeFrames>();
    std::vector<std::string> messages = {c.message};
    if (c.withWindow) {
      ASSERT_NE(OpenDocumentFile(*frames, first), nullptr);
      frames->document->SetModifiedFlag(true);
      Headless().messageAnswers = {kAnswerNo};
      messages.insert(messages.begin(), "Save changes to first.lxd?");
    }
    Headless().messages.clear();
    const int redraws = frames->pane.redraws;

    OpenOutcome outcome = OpenOutcome::kOpened;
    EXPECT_EQ(OpenDocumentFile(*frames, dir.File(c.file), &outcome), nullptr) << c.name;
    EXPECT_EQ(outcome, OpenOutcome::kFailed) << c.name;
    EXPECT_EQ(MessageTexts(), messages) << c.name;
    const CVornDoc* document = frames->document.get();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetPathName(), "") << c.name;
    EXPECT_EQ(document->GetTitle(), "Untitled") << c.name;
    EXPECT_FALSE(document->IsModified()) << c.name;
    EXPECT_EQ(SceneObjectCount(), 0) << c.name;
    EXPECT_GT(frames->pane.redraws, redraws) << c.name;
    EXPECT_EQ(frames->titles.back(), "Untitled") << c.name;
    EXPECT_EQ(frames->recent, c.withWindow ? std::vector<std::string>{first} : std::vector<std::string>{}) << c.name;
    EXPECT_EQ(frames->childWindows, 1);
  }
}

TEST_F(DocumentPolicyTest, StartUpOpensTheNamedDesignOrGoesOnWithANewOne) {
  struct Case {
    std::string name, file, title;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"none named", "", "Untitled", {}},
      {"a design", Design("ring.lxd", 2), "ring.lxd", {}},
      {"a bad file", dir.Write("bad.lxd", std::string_view("not a design")), "Untitled", {"Invalid file format!"}},
  };
  for (const Case& c : cases) {
    frames = std::make_unique<FakeFrames>();
    Headless().messages.clear();
    OpenStartupDocument(*frames, c.file);
    EXPECT_EQ(frames->childWindows, 1) << c.name;
    EXPECT_EQ(frames->document->GetTitle(), c.title) << c.name;
    EXPECT_EQ(SceneObjectCount(), c.title == "Untitled" ? 0 : 2) << c.name;
    EXPECT_EQ(MessageTexts(), c.messages) << c.name;
  }
}

}  // namespace
