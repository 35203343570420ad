#include "platform/safe_save.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

bool SaveFileSafely(const std::string& path, const std::function<bool(std::FILE*)>& write) {
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) return false;
  // mkstemp makes the file private; a saved file gets the user's usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(name.data());
    return false;
  }
  bool written = write(file);
  written = std::fflush(file) == 0 && std::ferror(file) == 0 && written;
  written = std::fclose(file) == 0 && written;
  if (!written || std::rename(name.data(), path.c_str()) != 0) {
    unlink(name.data());
    return false;
  }
  return true;
}
