#include "services/launching.h"

#include <filesystem>
#include <system_error>

#include "platform/launcher.h"
#include "platform/platform_services.h"

namespace {

bool IsAddress(const std::string& target) {
  const std::size_t scheme = target.find("://");
  return (scheme != std::string::npos && scheme > 0) || target.starts_with("www.");
}

}  // namespace

void LaunchViaBatch(const std::string& target) {
  if (target.empty()) return;
  if (IsAddress(target)) {
    Platform().launcher->OpenUrl(target.starts_with("www.") ? "http://" + target : target);
    return;
  }
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(target, error);
  Platform().launcher->OpenFile(error ? target : path.string());
}

int RunHiddenProcess(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return 0;
  return Platform().launcher->StartDetached(arguments) ? 1 : 0;
}
