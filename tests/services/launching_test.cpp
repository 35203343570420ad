#include "services/launching.h"

#include <cstdlib>
#include <filesystem>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "temp_dir.h"

namespace {

using LaunchingTest = LumidrexTest;
using Kind = HeadlessPlatform::Launch::Kind;

TEST_F(LaunchingTest, ATargetReachesTheLauncherAsOneArgumentWithoutABatchFile) {
  // A temporary folder of the test's own, so other tests running meanwhile do not show up in it.
  const TempDir temporary;
  const char* previous = std::getenv("TMPDIR");
  const std::string restore = previous != nullptr ? previous : "";
  setenv("TMPDIR", temporary.path().c_str(), 1);
  const std::string target = "/tmp/my \"ring\" & co.jpg";
  LaunchViaBatch(target);
  if (previous != nullptr) {
    setenv("TMPDIR", restore.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  ASSERT_EQ(Headless().launches.size(), 1u);
  EXPECT_EQ(Headless().launches[0].kind, Kind::kFile);
  EXPECT_EQ(Headless().launches[0].arguments, (std::vector<std::string>{target}));
  EXPECT_TRUE(std::filesystem::is_empty(temporary.path()));
}

TEST_F(LaunchingTest, AddressesOpenAsPagesAndRelativePathsBecomeAbsolute) {
  LaunchViaBatch("https://example.org/a?b=1&c=2");
  LaunchViaBatch("www.example.org");
  LaunchViaBatch("render.bmp");
  const auto& launches = Headless().launches;
  ASSERT_EQ(launches.size(), 3u);
  EXPECT_EQ(launches[0].kind, Kind::kUrl);
  EXPECT_EQ(launches[0].arguments[0], "https://example.org/a?b=1&c=2");
  EXPECT_EQ(launches[1].arguments[0], "http://www.example.org");
  EXPECT_EQ(launches[2].kind, Kind::kFile);
  EXPECT_EQ(launches[2].arguments[0], (std::filesystem::current_path() / "render.bmp").string());
}

TEST_F(LaunchingTest, RunHiddenProcessReportsAStartThatFailed) {
  EXPECT_EQ(RunHiddenProcess({"/opt/deskproto/deskproto", "/tmp/ring.stl"}), 1);
  EXPECT_EQ(Headless().launches.back().kind, Kind::kProcess);
  EXPECT_EQ(Headless().launches.back().arguments.size(), 2u);
  Headless().launchSucceeds = false;
  EXPECT_EQ(RunHiddenProcess({"/missing"}), 0);
  EXPECT_EQ(RunHiddenProcess({}), 0);
}

}  // namespace
