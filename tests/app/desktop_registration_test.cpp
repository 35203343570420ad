#include "app/desktop_registration.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "temp_dir.h"

namespace {

// Sets an environment variable for the life of the scope; unset for an empty optional.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

const std::string kIcon = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n";

std::string Text(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return std::string(bytes.begin(), bytes.end());
}

class DesktopRegistrationTest : public LumidrexTest {
 protected:
  // Stand-ins for the desktop's cache tools, found through PATH.
  void InstallTools() {
    for (const char* name : {"update-mime-database", "update-desktop-database"}) {
      chmod(tools.Write(name, "#!/bin/sh\n").c_str(), 0755);
    }
  }
  std::vector<std::vector<std::string>> Launches() const {
    std::vector<std::vector<std::string>> started;
    for (const auto& launch : Headless().launches) started.push_back(launch.arguments);
    return started;
  }

  TempDir dataHome;
  TempDir tools;
  ScopedEnv xdg{"XDG_DATA_HOME", dataHome.path()};
  ScopedEnv path{"PATH", tools.path()};
};

TEST_F(DesktopRegistrationTest, WritesTheMimePackageAndTheDesktopEntryOnceAndUpdatesTheCaches) {
  InstallTools();
  RegisterDesktopFileType("/opt/lumidrex/lumidrex", kIcon);
  const std::string mime = Text(dataHome.File("mime/packages/lumidrex.xml"));
  EXPECT_NE(mime.find("<mime-type type=\"application/x-lumidrex-design\">"), std::string::npos);
  EXPECT_NE(mime.find("<comment>Lumidrex Document</comment>"), std::string::npos);
  EXPECT_NE(mime.find("<glob pattern=\"*.lxd\"/>"), std::string::npos);
  const std::string entry = Text(dataHome.File("applications/lumidrex.desktop"));
  EXPECT_TRUE(entry.starts_with("[Desktop Entry]\n"));
  EXPECT_NE(entry.find("\nExec=/opt/lumidrex/lumidrex %f\n"), std::string::npos);
  EXPECT_NE(entry.find("\nMimeType=application/x-lumidrex-design;\n"), std::string::npos);
  EXPECT_NE(entry.find("\nIcon=lumidrex\n"), std::string::npos);
  EXPECT_NE(entry.find("\nCategories=Graphics;3DGraphics;\n"), std::string::npos);
  EXPECT_NE(entry.find("\nComment="), std::string::npos);
  EXPECT_NE(mime.find("<icon name=\"lumidrex\"/>"), std::string::npos);
  EXPECT_EQ(Text(dataHome.File("icons/hicolor/scalable/apps/lumidrex.svg")), kIcon);
  // The desktop's own checker accepts the entry.
  const std::string validate = "/usr/bin/desktop-file-validate";
  ASSERT_EQ(access(validate.c_str(), X_OK), 0) << "desktop-file-utils is not installed";
  EXPECT_EQ(std::system((validate + " " + dataHome.File("applications/lumidrex.desktop")).c_str()), 0);
  EXPECT_EQ(Launches(), (std::vector<std::vector<std::string>>{
                            {tools.File("update-mime-database"), dataHome.File("mime")},
                            {tools.File("update-desktop-database"), dataHome.File("applications")}}));

  // Unchanged content is left alone; a moved program rewrites only its desktop entry.
  RegisterDesktopFileType("/opt/lumidrex/lumidrex", kIcon);
  EXPECT_EQ(Launches().size(), 2u);
  RegisterDesktopFileType("/opt/my apps/100%/lumidrex", kIcon);
  EXPECT_NE(Text(dataHome.File("applications/lumidrex.desktop")).find("\nExec=\"/opt/my apps/100%%/lumidrex\" %f\n"),
            std::string::npos);
  ASSERT_EQ(Launches().size(), 3u);
  EXPECT_EQ(Launches()[2][0], tools.File("update-desktop-database"));
}

TEST_F(DesktopRegistrationTest, WithoutTheToolsOnlyTheFilesAreWritten) {
  RegisterDesktopFileType("/opt/lumidrex/lumidrex", kIcon);
  EXPECT_FALSE(Text(dataHome.File("mime/packages/lumidrex.xml")).empty());
  EXPECT_FALSE(Text(dataHome.File("applications/lumidrex.desktop")).empty());
  EXPECT_TRUE(Launches().empty());
}

TEST_F(DesktopRegistrationTest, WithoutXdgDataHomeTheFilesGoUnderTheHomeFolder) {
  TempDir home;
  ScopedEnv homeVariable{"HOME", home.path()};
  for (const std::optional<std::string>& value : {std::optional<std::string>(), std::optional<std::string>("relative")}) {
    ScopedEnv unset{"XDG_DATA_HOME", value};
    RegisterDesktopFileType("/opt/lumidrex/lumidrex", kIcon);
  }
  EXPECT_FALSE(Text(home.File(".local/share/applications/lumidrex.desktop")).empty());
  EXPECT_EQ(std::vector<std::string>{}, dataHome.Entries());
}

}  // namespace
