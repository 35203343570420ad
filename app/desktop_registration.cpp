#include "app/desktop_registration.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string_view>
#include <system_error>

#include "platform/replacing_file.h"
#include "services/launching.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kMimeType = "application/x-lumidrex-design";

// Relative values of XDG_DATA_HOME are to be ignored, like an unset one.
fs::path DataHome() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') return dataHome;
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') return {};
  return fs::path(home) / ".local" / "share";
}

std::string MimePackage() {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                     "  <mime-type type=\"") +
         kMimeType +
         "\">\n"
         "    <comment>Lumidrex Document</comment>\n"
         "    <icon name=\"" +
         kDesktopName +
         "\"/>\n"
         "    <glob pattern=\"*.lxd\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

// The executable as the first word of an Exec line: quoted when it holds a reserved character,
// with the escapes of a quoted argument and then those of a string value; '%' is doubled.
std::string ExecProgram(const std::string& path) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  const bool quoted = path.find_first_of(kReserved) != std::string::npos;
  std::string argument;
  for (const char c : path) {
    if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) argument += '\\';
    argument += c;
  }
  if (quoted) argument = '"' + argument + '"';
  std::string value;
  for (const char c : argument) {
    switch (c) {
      case '\\': value += "\\\\"; break;
      case '\n': value += "\\n"; break;
      case '\t': value += "\\t"; break;
      case '\r': value += "\\r"; break;
      case '%': value += "%%"; break;
      default: value += c;
    }
  }
  return value;
}

std::string DesktopEntry(const std::string& executablePath) {
  return std::string("[Desktop Entry]\n"
                     "Type=Application\n"
                     "Name=Lumidrex\n"
                     "Comment=Design jewellery in 3-D and prepare it for manufacture\n"
                     "Icon=") +
         kDesktopName +
         "\n"
         "Categories=Graphics;3DGraphics;\n"
         "Exec=" +
         ExecProgram(executablePath) +
         " %f\n"
         "MimeType=" +
         kMimeType +
         ";\n"
         "Terminal=false\n";
}

std::string FileContent(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// True when the file now holds the content after a write.
bool WriteWhenChanged(const fs::path& path, const std::string& content) {
  std::error_code error;
  if (fs::exists(path, error) && FileContent(path) == content) return false;
  fs::create_directories(path.parent_path(), error);
  const std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path.string());
  if (!file) return false;
  std::fwrite(content.data(), 1, content.size(), file->file());
  return file->Finish() && file->ReplaceTarget();
}

// The tool's path through PATH; empty when it is not installed.
std::string FindTool(const std::string& name) {
  const char* searchPath = std::getenv("PATH");
  if (searchPath == nullptr) return "";
  std::stringstream folders(searchPath);
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const std::string candidate = (fs::path(folder) / name).string();
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

void RunToolOn(const std::string& tool, const fs::path& folder) {
  const std::string program = FindTool(tool);
  if (!program.empty()) RunHiddenProcess({program, folder.string()});
}

}  // namespace

void RegisterDesktopFileType(const std::string& executablePath, const std::string& iconSvg) {
  const fs::path dataHome = DataHome();
  if (dataHome.empty()) return;
  const fs::path mimeFolder = dataHome / "mime";
  const fs::path applications = dataHome / "applications";
  const std::string name = kDesktopName;
  WriteWhenChanged(dataHome / "icons" / "hicolor" / "scalable" / "apps" / (name + ".svg"), iconSvg);
  if (WriteWhenChanged(mimeFolder / "packages" / (std::string(kDesktopName) + ".xml"), MimePackage())) {
    RunToolOn("update-mime-database", mimeFolder);
  }
  std::error_code error;
  const fs::path executable = fs::absolute(executablePath, error);
  if (error) return;
  if (WriteWhenChanged(applications / (name + ".desktop"), DesktopEntry(executable.lexically_normal().string()))) {
    RunToolOn("update-desktop-database", applications);
  }
}
