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
#include "kernel/boolean_object.h"
#include "kernel/curve_object.h"
#include "kernel/object_list_file.h"
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
      {"yes, failing save", kAnswerYes, true, "missing/first.lxd", false,
       {question, "Cannot write to file!\n" + dir.File("missing/first.lxd")}},
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

// The design on screen as a save would write it.
Bytes SceneBytes() {
  return CaptureWrite([] { WriteObjectList(GetObjectList()); });
}

int ShownObjectCount() {
  int count = 0;
  for (const CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) {
    if (object->ObjectState >= 0) ++count;
  }
  return count;
}

// The open is refused before the save question, so the design on screen, its name and its
// unsaved changes stay; without a window none is made.
TEST_F(DocumentPolicyTest, AFileThatIsNoDesignIsRefusedBeforeTheDesignOnScreenGoes) {
  struct Case {
    std::string name;
    bool withWindow;
    std::string file;
    std::string message;
  };
  const Case cases[] = {
      {"missing", true, "missing.lxd", "Cannot open file!"},
      {"older version", true, "older.lxd", "Invalid file format!"},
      {"foreign", true, "notes.txt", "Invalid file format!"},
      {"cut inside the magic", true, "cut.lxd", "Invalid file format!"},
      {"a folder", true, "", "Invalid file format!"},
      {"foreign, first window", false, "notes.txt", "Invalid file format!"},
  };
  dir.Write("older.lxd", std::string_view("TALVERNOSIGN0099:#"));
  dir.Write("notes.txt", std::string_view("a letter to a customer, no design at all"));
  dir.Write("cut.lxd", std::string_view("TALVERNO"));
  const std::string first = Design("first.lxd", 2);
  for (const Case& c : cases) {
    frames = std::make_unique<FakeFrames>();
    CVornDoc* document = c.withWindow ? OpenDocumentFile(*frames, first) : nullptr;
    if (c.withWindow) {
      ASSERT_NE(document, nullptr);
      document->SetModifiedFlag(true);
    }
    const Bytes before = SceneBytes();
    const std::vector<std::string> titles = frames->titles;
    Headless().messages.clear();
    const std::string path = c.file.empty() ? dir.path() : dir.File(c.file);

    OpenOutcome outcome = OpenOutcome::kOpened;
    EXPECT_EQ(OpenDocumentFile(*frames, path, &outcome), nullptr) << c.name;
    EXPECT_EQ(outcome, OpenOutcome::kFailed) << c.name;
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message + "\n" + path}) << c.name;
    EXPECT_EQ(frames->document.get(), document) << c.name;
    EXPECT_EQ(frames->childWindows, c.withWindow ? 1 : 0) << c.name;
    EXPECT_EQ(frames->titles, titles) << c.name;
    EXPECT_EQ(frames->recent, c.withWindow ? std::vector<std::string>{first} : std::vector<std::string>{}) << c.name;
    EXPECT_EQ(SceneBytes(), before) << c.name;
    if (!c.withWindow) continue;
    EXPECT_EQ(document->GetPathName(), first) << c.name;
    EXPECT_TRUE(document->IsModified()) << c.name;
    EXPECT_EQ(ShownObjectCount(), 2) << c.name;
  }
}

// A group of two curves, as its record stands in a design.
Bytes GroupRecord() {
  CBooleanObject group;
  group.SetOperation(kBooleanUnion);
  group.members.Append(ReadRecordAs<CCurveObject>(CurveRecord()));
  group.members.Append(ReadRecordAs<CCurveObject>(CurveRecord({{0, 0, 0}, {1, 1, 1}, {2, 0, 2}})));
  return CaptureWrite([&] { group.Write(); });
}

Bytes Cut(Bytes bytes, std::size_t keep) {
  bytes.resize(keep);
  return bytes;
}

// A design that ends early or holds records that cannot be read opens with what could be read,
// then says how many objects it lost; it stays out of the recent files.
TEST_F(DocumentPolicyTest, ADesignCutShortOpensWithWhatWasReadAndSaysHowManyObjectsAreLost) {
  const Bytes curve = CurveRecord();
  const Bytes group = GroupRecord();
  const Bytes whole = DesignFile({curve, curve});
  const std::size_t magic = 16;
  Bytes unknownKind = Words({77, 1, 2, 3});
  struct Case {
    std::string name;
    Bytes file;
    int shown;
    int lost;
  };
  const Case cases[] = {
      {"cut right after the magic", Cut(whole, magic), 0, 1},
      {"cut inside the first record's kind", Cut(whole, magic + 3), 0, 1},
      {"cut inside the first record's points", Cut(whole, magic + 1 + curve.size() - 20), 0, 1},
      {"cut inside the second member of a group", Cut(DesignFile({group}), magic + 1 + group.size() * 3 / 4), 0, 1},
      {"cut between two records", Cut(whole, magic + 1 + curve.size()), 1, 1},
      {"cut inside the second record", Cut(whole, whole.size() - 8), 1, 1},
      {"an unknown kind and no end byte", DesignFile({unknownKind, curve}, false), 1, 2},
  };
  for (const Case& c : cases) {
    frames = std::make_unique<FakeFrames>();
    Headless().messages.clear();
    const std::string path = dir.Write("ring.lxd", c.file);

    OpenOutcome outcome = OpenOutcome::kFailed;
    CVornDoc* document = OpenDocumentFile(*frames, path, &outcome);
    ASSERT_NE(document, nullptr) << c.name;
    EXPECT_EQ(outcome, OpenOutcome::kOpened) << c.name;
    EXPECT_EQ(ShownObjectCount(), c.shown) << c.name;
    EXPECT_EQ(document->UnreadObjects(), c.lost) << c.name;
    const std::string message = std::to_string(c.lost) + " objects could not be read from " + path + ".";
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{message}) << c.name;
    EXPECT_EQ(document->GetPathName(), path) << c.name;
    EXPECT_FALSE(document->IsModified()) << c.name;
    EXPECT_TRUE(frames->recent.empty()) << c.name;
  }

  // A whole design says nothing and is listed.
  Headless().messages.clear();
  const std::string path = dir.Write("whole.lxd", whole);
  ASSERT_NE(OpenDocumentFile(*frames, path), nullptr);
  EXPECT_TRUE(Headless().messages.empty());
  EXPECT_EQ(frames->document->UnreadObjects(), 0);
  EXPECT_EQ(frames->recent, std::vector<std::string>{path});
}

// The first plain Save of such a design asks before it writes over the file: Yes writes over it,
// No asks for another name, Cancel writes nothing. Once saved under its own name it asks no more.
TEST_F(DocumentPolicyTest, TheFirstSaveOverADesignCutShortAsksFirst) {
  const Bytes design = DesignFile({CurveRecord(), GroupRecord()});
  const Bytes damaged = Cut(design, design.size() - 10);
  struct Case {
    std::string name;
    int answer;
    bool overwritten;
    bool copied;
  };
  const Case cases[] = {
      {"yes", kAnswerYes, true, false},
      {"no, then a new name", kAnswerNo, false, true},
      {"cancel", kAnswerCancel, false, false},
  };
  for (const Case& c : cases) {
    frames = std::make_unique<FakeFrames>();
    std::filesystem::remove(dir.File("copy.lxd"));
    const std::string path = dir.Write("ring.lxd", damaged);
    CVornDoc* document = OpenDocumentFile(*frames, path);
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(true);
    Headless().messages.clear();
    Headless().messageAnswers = {c.answer};
    if (c.copied) AnswerFileDialog(dir.File("copy.lxd"));

    OnFileSave(*frames);
    ASSERT_EQ(Headless().messages.size(), 1u) << c.name;
    EXPECT_EQ(Headless().messages[0].text,
              "1 objects could not be read from " + path + ".\nSave changes to ring.lxd?")
        << c.name;
    EXPECT_EQ(Headless().messages[0].buttons, kMessageYesNoCancel) << c.name;
    EXPECT_EQ(ReadWholeFile(path) != damaged, c.overwritten) << c.name;
    EXPECT_EQ(std::filesystem::exists(dir.File("copy.lxd")), c.copied) << c.name;
    EXPECT_EQ(document->GetPathName(), c.copied ? dir.File("copy.lxd") : path) << c.name;
    EXPECT_EQ(document->IsModified(), c.answer == kAnswerCancel) << c.name;
    if (c.answer == kAnswerCancel) continue;

    // Saved once under its name, the document saves in place without asking.
    Headless().messages.clear();
    document->SetModifiedFlag(true);
    OnFileSave(*frames);
    EXPECT_TRUE(Headless().messages.empty()) << c.name;
    EXPECT_FALSE(document->IsModified()) << c.name;
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
      {"a bad file", dir.Write("bad.lxd", std::string_view("not a design")), "Untitled",
       {"Invalid file format!\n" + dir.File("bad.lxd")}},
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
