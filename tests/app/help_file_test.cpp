#include "app/help_file.h"

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "platform/program_folder.h"
#include "program_state.h"
#include "temp_dir.h"

namespace {

using HelpFileTest = LumidrexTest;

TEST_F(HelpFileTest, OpensTheProgramFoldersHelpFileOrSaysItCannot) {
  TempDir programFolder;
  SetProgramDirOverride(programFolder.path());
  OpenHelpFile();
  ASSERT_EQ(Headless().messages.size(), 1u);
  EXPECT_EQ(Headless().messages[0].text, "Cannot open file!\n" + programFolder.File("Lumidrex.chm"));
  EXPECT_TRUE(Headless().launches.empty());

  const std::string help = programFolder.Write("Lumidrex.chm", "ITSF");
  OpenHelpFile();
  ASSERT_EQ(Headless().launches.size(), 1u);
  EXPECT_EQ(Headless().launches[0].kind, HeadlessPlatform::Launch::Kind::kFile);
  EXPECT_EQ(Headless().launches[0].arguments, (std::vector<std::string>{help}));
  EXPECT_EQ(Headless().messages.size(), 1u);
}

}  // namespace
