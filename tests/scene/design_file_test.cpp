#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kernel/axis_line_object.h"
#include "kernel/block_object.h"
#include "kernel/boolean_object.h"
#include "kernel/mesh_object.h"
#include "kernel/surface_object.h"
#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"
#include "platform/file_handle.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "record_fixture.h"
#include "scene/design_file.h"
#include "scene_fixture.h"
#include "pipe_writer.h"
#include "scratch_file.h"
#include "temp_dir.h"

namespace {

std::vector<std::string> MessageTexts() {
  std::vector<std::string> texts;
  for (const auto& message : Headless().messages) texts.push_back(message.text);
  return texts;
}

std::vector<CGeomObject*> SceneObjects() {
  std::vector<CGeomObject*> objects;
  for (CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) objects.push_back(o);
  return objects;
}

// An object whose record cannot be written: it fails the stream, as a full disk would.
constexpr std::int32_t kUnwritableKind = 78;
class UnwritableObject : public CGeomObject {
 public:
  int GetKind() const override { return kUnwritableKind; }
  void Write() override { MarkObjectStreamFailed(); }
};

// How a save in a traced child went when it was stopped at its n-th system call: killed there, or
// with that call failing (it is skipped and returns EIO).
enum class SaveStop { kKill, kFail };
struct StoppedSave {
  bool stopped = false;       // the save made that many calls
  std::optional<int> result;  // what SaveScene returned, when the child got that far
};

StoppedSave SaveStoppedAt(CUndoHistory* document, const std::string& path, int call, SaveStop stop) {
  constexpr int kExitBase = 10;  // the child's exit code is this plus SaveScene's result
  const pid_t child = fork();
  if (child == 0) {
    // What the sanitizers say of a failed call of their own is no finding here.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDERR_FILENO);
    ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
    raise(SIGSTOP);
    _exit(kExitBase + SaveScene(document, path));
  }
  int status = 0;
  waitpid(child, &status, 0);
  ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
  StoppedSave save;
  int entries = 0;
  bool inCall = false;
  int signal = 0;
  for (;;) {
    ptrace(PTRACE_SYSCALL, child, nullptr, signal);
    waitpid(child, &status, 0);
    if (!WIFSTOPPED(status)) break;
    signal = 0;
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      signal = WSTOPSIG(status);  // passed on
      continue;
    }
    inCall = !inCall;
    if (!inCall || ++entries < call) continue;
    save.stopped = true;
    if (stop == SaveStop::kKill) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return save;
    }
    user_regs_struct registers;
    ptrace(PTRACE_GETREGS, child, nullptr, &registers);
    registers.orig_rax = static_cast<unsigned long long>(-1);  // no such call: skipped
    ptrace(PTRACE_SETREGS, child, nullptr, &registers);
    ptrace(PTRACE_SYSCALL, child, nullptr, nullptr);
    waitpid(child, &status, 0);
    ptrace(PTRACE_GETREGS, child, nullptr, &registers);
    registers.rax = static_cast<unsigned long long>(-EIO);
    ptrace(PTRACE_SETREGS, child, nullptr, &registers);
    ptrace(PTRACE_DETACH, child, nullptr, nullptr);
    waitpid(child, &status, 0);
    break;
  }
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) - kExitBase : -1;
  if (code == 0 || code == 1) save.result = code;
  return save;
}

class DesignFileTest : public SceneTest {
 protected:
  CAxisLineObject* AddAxisLine(int axis, float origin) {
    auto line = std::make_unique<CAxisLineObject>();
    line->axisIndex = axis;
    line->orientation[12 + axis] = origin;
    return AddObject(line, 1);
  }

  TempDir dir;
};

TEST_F(DesignFileTest, OpenReplacesTheSceneAndNumbersTheObjects) {
  AddAxisLine(0, 1);
  AddAxisLine(1, 2);
  const std::string path = dir.Write("ring.lxd", DesignFile({CurveRecord(), AxisLineRecord(2, 4)}));
  ASSERT_EQ(OpenScene(&document, path), 1);
  const auto objects = SceneObjects();
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0]->GetKind(), kKindCurve);
  EXPECT_EQ(objects[1]->orientation[14], 4);
  EXPECT_EQ(objects[0]->id, 0);
  EXPECT_EQ(objects[1]->id, 1);
  EXPECT_EQ(TheScene.tailLink, &objects[1]->next);
  EXPECT_EQ(TheScene.nextObjectId, 2);
  EXPECT_EQ(document.Undo(), 0);  // the history went with the old scene
  EXPECT_TRUE(Headless().messages.empty());
}

// A design arriving through a pipe is read whole first, so counts in it are checked against the
// bytes that came rather than an allowance for input of unknown size.
TEST_F(DesignFileTest, ADesignThroughAPipeIsCheckedAgainstWhatArrived) {
  const Bytes design = DesignFile({CurveRecord(), AxisLineRecord(2, 4)});
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], design.data(), design.size()), static_cast<ssize_t>(design.size()));
  close(ends[1]);
  const std::string path = "/dev/fd/" + std::to_string(ends[0]);
  {
    const FileHandle file = OpenFile(path, "rb");
    ASSERT_NE(file, nullptr);
    const ObjectStreamScope stream(file.get());
    EXPECT_EQ(ObjectStreamBytesLeft(), static_cast<std::int64_t>(design.size()));
  }
  close(ends[0]);

  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], design.data(), design.size()), static_cast<ssize_t>(design.size()));
  close(ends[1]);
  ASSERT_EQ(OpenScene(&document, "/dev/fd/" + std::to_string(ends[0])), 1);
  close(ends[0]);
  EXPECT_EQ(SceneObjects().size(), 2u);
  EXPECT_TRUE(Headless().messages.empty());
}

// Input that is not a design is refused from its first bytes, however much more would come, and
// a FIFO nobody writes to does not hold the open.
TEST_F(DesignFileTest, AForeignStreamOrAnIdleFifoIsRefusedAtOnce) {
  const std::string fifo = dir.File("idle.lxd");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  PipeWriter zeros("", std::size_t{300} << 20, '\0');
  ASSERT_TRUE(zeros.Started());
  for (const std::string& path : {zeros.Path(), fifo}) {
    SCOPED_TRACE(path);
    Headless().messages.clear();
    EXPECT_EQ(OpenScene(&document, path), 0);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Invalid file format!\n" + path});
  }
  EXPECT_FALSE(zeros.Finish()) << "the zeros were read to their end";
}

TEST_F(DesignFileTest, FailedOpensLeaveAnEmptySceneAndSaySo) {
  struct Case {
    std::string name, path, message;
  };
  const Case cases[] = {
      {"missing", dir.File("missing.lxd"), "Cannot open file!"},
      {"folder", dir.path(), "Invalid file format!"},
      {"wrong magic", dir.Write("other.lxd", std::string_view("TALVERNOSIGN0099:#")), "Invalid file format!"},
  };
  for (const Case& c : cases) {
    AddAxisLine(0, 1);
    Headless().messages.clear();
    EXPECT_EQ(OpenScene(&document, c.path), 0) << c.name;
    EXPECT_EQ(GetObjectList(), nullptr) << c.name;
    EXPECT_EQ(TheScene.tailLink, &TheScene.head) << c.name;
    EXPECT_EQ(TheScene.nextObjectId, 0) << c.name;
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message + "\n" + c.path}) << c.name;
  }
}

TEST_F(DesignFileTest, FileEndingBeforeItsEndByteKeepsWhatWasRead) {
  const std::string path = dir.Write("cut.lxd", DesignFile({CurveRecord(), AxisLineRecord(1, 3)}, false));
  EXPECT_EQ(OpenScene(&document, path), 1);
  EXPECT_EQ(SceneObjects().size(), 2u);
}

TEST_F(DesignFileTest, EmptyDesignOpensButCannotBeInserted) {
  const std::string path = dir.Write("empty.lxd", DesignFile({}));
  EXPECT_EQ(OpenScene(&document, path), 1);
  EXPECT_EQ(GetObjectList(), nullptr);
  InsertDocumentFile(path);
  InsertDocumentFile(dir.File("missing.lxd"));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Invalid file format or insert file contains no object!\n" + path,
                                                      "Cannot open file!\n" + dir.File("missing.lxd")}));
}

TEST_F(DesignFileTest, InsertingTwiceNumbersOnAndIsOneUndoStepEach) {
  AddAxisLine(0, 1);
  const std::string path = dir.Write("part.lxd", DesignFile({CurveRecord(), AxisLineRecord(1, 3, 2)}));
  ScratchFile current;  // the stream a caller had made current
  BeginUndoStep();
  InsertDocumentFile(path);
  BeginUndoStep();
  InsertDocumentFile(path);
  EXPECT_EQ(SetObjectStream(current.file()), current.file());

  const auto objects = SceneObjects();
  ASSERT_EQ(objects.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(objects[i]->id, i);
  EXPECT_EQ(objects[2]->ObjectState, 2);  // saved states are kept
  EXPECT_EQ(TheScene.tailLink, &objects[4]->next);

  ASSERT_EQ(document.Undo(), 1);
  EXPECT_EQ(objects[3]->ObjectState, -kAbsorbedOffset);
  EXPECT_EQ(objects[4]->ObjectState, 2 - kAbsorbedOffset);
  EXPECT_EQ(objects[1]->ObjectState, 0);
}

TEST_F(DesignFileTest, InsertCommandAsksForADesignAndInsertsItAsOneStep) {
  const std::string path = dir.Write("part.lxd", DesignFile({CurveRecord(), AxisLineRecord(1, 3)}));
  Headless().fileAnswers.push_back(std::nullopt);  // cancelled
  Headless().fileAnswers.push_back(FileDialogAnswer{path, 1});
  OnInsertFile();
  EXPECT_EQ(GetObjectList(), nullptr);
  OnInsertFile();
  EXPECT_EQ(SceneObjects().size(), 2u);
  EXPECT_EQ(Headless().waitDepth, 0);

  ASSERT_EQ(Headless().fileRequests.size(), 2u);
  const FileDialogRequest& request = Headless().fileRequests[0];
  EXPECT_TRUE(request.open);
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].description, "Lumidrex Files (*.lxd)");
  EXPECT_EQ(request.filters[0].pattern, "*.lxd");

  ASSERT_EQ(document.Undo(), 1);
  for (const CGeomObject* o : SceneObjects()) EXPECT_EQ(o->ObjectState, -kAbsorbedOffset);
  EXPECT_EQ(document.Undo(), 0);
}

TEST_F(DesignFileTest, WithoutAViewportOpenStillNumbersAndInsertAppends) {
  SetActiveView(nullptr);
  const std::string path = dir.Write("part.lxd", DesignFile({CurveRecord(), AxisLineRecord(1, 3)}));
  ASSERT_EQ(OpenScene(&document, path), 1);
  InsertDocumentFile(path);
  const auto objects = SceneObjects();
  ASSERT_EQ(objects.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(objects[i]->id, i);
  EXPECT_EQ(TheScene.tailLink, &objects[3]->next);

  EXPECT_EQ(NewScene(&document), 1);
  EXPECT_EQ(GetObjectList(), nullptr);
  EXPECT_EQ(TheScene.tailLink, &TheScene.head);
  EXPECT_EQ(TheScene.startLink, &TheScene.head);
}

TEST_F(DesignFileTest, SaveWritesShownObjectsByteForByte) {
  AddAxisLine(0, 5)->ObjectState = 0;
  AddAxisLine(1, 6)->ObjectState = -1;  // deleted: not saved
  AddAxisLine(2, 7)->ObjectState = 3;
  // The attributes of the hand-made records.
  for (CGeomObject* o = GetObjectList(); o != nullptr; o = o->next) {
    o->materialName = nullptr;
    o->mappingFrame = Matrix4();
  }
  document.modified = 1;

  const std::string path = dir.File("ring.lxd");
  ASSERT_EQ(SaveScene(&document, path), 1);
  EXPECT_EQ(document.modified, 0);
  EXPECT_EQ(ReadWholeFile(path), DesignFile({AxisLineRecord(0, 5, 0, 0), AxisLineRecord(2, 7, 3, 0)}));
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ring.lxd"});

  ASSERT_EQ(OpenScene(&document, path), 1);
  EXPECT_EQ(SceneObjects().size(), 2u);
}

TEST_F(DesignFileTest, BackupNames) {
  const std::pair<std::string, std::string> cases[] = {
      {"ring.lxd", "ring.bak"}, {"ring.jpeg", "ring.jpeg.bak"}, {"ring", "ring.bak"},
      {"a.b/c", "a.b/c.bak"},   {"/d/a.b", "/d/a.bak"},         {"x.bak", ""},
      {".lxd", ".bak"},
  };
  for (const auto& [path, backup] : cases) EXPECT_EQ(BackupName(path), backup) << path;
}

TEST_F(DesignFileTest, SecondSaveKeepsTheFirstAsTheBackup) {
  AddAxisLine(0, 1);
  const std::string path = dir.File("ring.lxd");
  ASSERT_EQ(SaveScene(&document, path), 1);
  const Bytes first = ReadWholeFile(path);
  AddAxisLine(1, 2);
  ASSERT_EQ(SaveScene(&document, path), 1);
  EXPECT_EQ(ReadWholeFile(dir.File("ring.bak")), first);
  EXPECT_NE(ReadWholeFile(path), first);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"ring.bak", "ring.lxd"}));

  // A design named like its backup is saved without one.
  const std::string bak = dir.File("ring.bak");
  ASSERT_EQ(SaveScene(&document, bak), 1);
  EXPECT_EQ(ReadWholeFile(bak), ReadWholeFile(path));
}

// Wherever a save stops, killed or with a system call failing, the design's name holds the old
// design or the new one, whole (the new one exactly when the save said it saved), and a backup
// holds the old one; the next save removes what the stopped one left and keeps what it finds as
// the backup.
TEST_F(DesignFileTest, ASaveStoppedAtAnySystemCallLeavesTheOldDesignOrTheNew) {
  AddAxisLine(0, 1);
  const std::string path = dir.File("ring.lxd");
  ASSERT_EQ(SaveScene(&document, path), 1);
  const Bytes oldDesign = ReadWholeFile(path);
  AddAxisLine(1, 2);
  const TempDir elsewhere;
  ASSERT_EQ(SaveScene(&document, elsewhere.File("ring.lxd")), 1);
  const Bytes newDesign = ReadWholeFile(elsewhere.File("ring.lxd"));
  ASSERT_NE(newDesign, oldDesign);

  for (const SaveStop stop : {SaveStop::kKill, SaveStop::kFail}) {
    int calls = 0;
    for (int call = 1;; ++call) {
      SCOPED_TRACE((stop == SaveStop::kKill ? "killed at call " : "failed call ") + std::to_string(call));
      for (const std::string& name : dir.Entries()) std::filesystem::remove(dir.File(name));
      WriteWholeFile(path, oldDesign);
      const StoppedSave save = SaveStoppedAt(&document, path, call, stop);
      const Bytes named = ReadWholeFile(path);
      EXPECT_TRUE(named == oldDesign || named == newDesign);
      if (save.result) {
        EXPECT_EQ(named, *save.result == 1 ? newDesign : oldDesign);
      }
      // A backup, linked or copied, is the old design whole.
      if (std::filesystem::exists(dir.File("ring.bak"))) {
        EXPECT_EQ(ReadWholeFile(dir.File("ring.bak")), oldDesign);
      }

      ASSERT_EQ(SaveScene(&document, path), 1);
      EXPECT_EQ(ReadWholeFile(path), newDesign);
      EXPECT_EQ(ReadWholeFile(dir.File("ring.bak")), named);
      EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"ring.bak", "ring.lxd"}));
      if (!save.stopped) break;
      calls = call;
    }
    // Every call of a save was stopped in turn: opening, writing, syncing, checking, linking,
    // renaming.
    EXPECT_GE(calls, 15);
  }
}

TEST_F(DesignFileTest, FailedWriteChangesNothing) {
  const std::string path = dir.Write("ring.lxd", std::string_view("old design"));
  dir.Write("ring.bak", std::string_view("old backup"));
  ObjectKindEntry<UnwritableObject> entry(kUnwritableKind);
  entry.Register();
  AddAxisLine(0, 1);
  auto bad = std::make_unique<UnwritableObject>();
  AddObject(bad, 1);
  document.modified = 1;

  EXPECT_EQ(SaveScene(&document, path), 0);
  EXPECT_EQ(ReadWholeFile(path), Bytes(std::string_view("old design").begin(), std::string_view("old design").end()));
  EXPECT_EQ(ReadWholeFile(dir.File("ring.bak")), Bytes(std::string_view("old backup").begin(), std::string_view("old backup").end()));
  EXPECT_EQ(document.modified, 1);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"ring.bak", "ring.lxd"}));
  EXPECT_TRUE(Headless().messages.empty());
  EXPECT_EQ(Headless().waitDepth, 0);
}

// Objects whose sizes do not fit their data would read back as bad records: the save fails
// and the old design stays byte for byte.
TEST_F(DesignFileTest, ObjectsWithInconsistentSizesFailTheSave) {
  const std::vector<Vector3> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  auto mesh = [&](std::vector<std::int32_t> sizes, std::vector<std::int32_t> indices) {
    auto m = std::make_unique<CMeshObject>();
    m->SetPoints(4, square);
    m->faceSizes = std::move(sizes);
    m->faceIndices = std::move(indices);
    return std::unique_ptr<CGeomObject>(std::move(m));
  };
  auto surface = [&](int rows, int columns) {
    auto s = std::make_unique<CSurfaceObject>();
    s->SetPoints(4, square);
    s->rows = rows;
    s->columns = columns;
    return std::unique_ptr<CGeomObject>(std::move(s));
  };
  auto block = [&](std::vector<std::int32_t> sizes, std::vector<std::int32_t> steps) {
    auto b = std::make_unique<CBlockObject>();
    b->profilePoints = square;
    b->profileSizes = std::move(sizes);
    b->profileSteps = std::move(steps);
    return std::unique_ptr<CGeomObject>(std::move(b));
  };
  struct Case {
    const char* name;
    std::unique_ptr<CGeomObject> object;
  };
  Case cases[] = {
      {"mesh: more indices than the sizes add up to", mesh({3}, {0, 1, 2, 3})},
      {"mesh: fewer indices", mesh({4}, {0, 1, 2})},
      {"mesh: a negative size", mesh({-1, 5}, {0, 1, 2, 3})},
      {"mesh: an index past the vertices", mesh({3}, {0, 1, 4})},
      {"surface: 3 x 2 over 4 points", surface(3, 2)},
      {"surface: 1 x 4", surface(1, 4)},
      {"block: fewer steps than profiles", block({2, 2}, {4})},
      {"block: sizes adding up to more points", block({5}, {4})},
  };
  const Bytes old = {'o', 'l', 'd'};
  const std::string path = dir.Write("ring.lxd", std::string_view("old"));
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewScene(&document);
    AddAxisLine(0, 1);
    AddObject(c.object, 1);
    EXPECT_EQ(SaveScene(&document, path), 0);
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ring.lxd"});
  }
}

TEST_F(DesignFileTest, ReadOnlyDesignIsRefusedUntouched) {
  AddAxisLine(0, 1);
  const std::string path = dir.Write("ring.lxd", std::string_view("kept"));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(SaveScene(&document, path), 0);
  EXPECT_EQ(ReadWholeFile(path).size(), 4u);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ring.lxd"});
}

TEST_F(DesignFileTest, ReadOnlyFolderFailsTheSave) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  AddAxisLine(0, 1);
  const std::string path = dir.Write("ring.lxd", std::string_view("kept"));
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  EXPECT_EQ(SaveScene(&document, path), 0);
  chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(ReadWholeFile(path).size(), 4u);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"ring.lxd"});
}

TEST_F(DesignFileTest, UngroupAddUndoUndoLeavesTheLaterObjectOutOfTheGroup) {
  std::unique_ptr<CBooleanObject> group = AxisLineUnion(2);
  CBooleanObject* g = AddObject(group, 1);
  g->ObjectState = 0;
  const CGeomObject* firstMember = g->members.head();

  BeginUndoStep();  // ungroup
  RecordUndo(g, kUndoGroupDissolved);
  ToggleGroupLink(g, 1);
  BeginUndoStep();  // add X
  CAxisLineObject* x = AddAxisLine(2, 9);
  ASSERT_EQ(document.Undo(), 1);
  ASSERT_EQ(document.Undo(), 1);

  EXPECT_EQ(g->members.head(), firstMember);
  EXPECT_EQ(firstMember->next->next, nullptr);
  EXPECT_EQ(SceneObjects(), (std::vector<CGeomObject*>{g, x}));
  EXPECT_EQ(x->ObjectState, 1 - kAbsorbedOffset);

  const std::string path = dir.File("group.lxd");
  ASSERT_EQ(SaveScene(&document, path), 1);
  ASSERT_EQ(OpenScene(&document, path), 1);
  const auto objects = SceneObjects();
  ASSERT_EQ(objects.size(), 1u);
  ASSERT_EQ(objects[0]->GetKind(), kKindBoolean);
  const CGeomObject* member = static_cast<CBooleanObject*>(objects[0])->members.head();
  ASSERT_NE(member, nullptr);
  ASSERT_NE(member->next, nullptr);
  EXPECT_EQ(member->next->next, nullptr);
}

}  // namespace
