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

bool LaunchViaBatch(const std::string& target) {
  if (target.empty()) return false;
  if (IsAddress(target)) return Platform().launcher->OpenUrl(target.starts_with("www.") ? "http://" + target : target);
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(target, error);
  return Platform().launcher->OpenFile(error ? target : path.string());
}

int RunHiddenProcess(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return 0;
  return Platform().launcher->StartDetached(arguments) ? 1 : 0;
}
