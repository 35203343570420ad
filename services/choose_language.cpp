#include "services/choose_language.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/program_folder.h"
#include "services/app_settings.h"
#include "services/language_file.h"
#include "services/menu_builder.h"

namespace {

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Regular files named *.str in any case, other than lumidrex.str, sorted ignoring case.
std::vector<std::string> LanguageFileCandidates() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(GetProgramDir(), error)) {
    std::error_code typeError;
    if (!entry.is_regular_file(typeError)) continue;
    const std::string name = entry.path().filename().string();
    const std::string lower = Lowercase(name);
    if (lower.size() > 4 && lower.ends_with(".str") && lower != "lumidrex.str") names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lowercase(a);
    const std::string lb = Lowercase(b);
    return la != lb ? la < lb : a < b;
  });
  return names;
}

// Built once and kept, so the selection survives between uses.
CChooseLanguageDlg& Dialog() {
  static CChooseLanguageDlg dialog;
  return dialog;
}

}  // namespace

void CChooseLanguageDlg::OnInitDialog() {
  languageNames.clear();
  fileNames.clear();
  for (const std::string& name : LanguageFileCandidates()) {
    if (static_cast<int>(fileNames.size()) == kMaxLanguageFiles) break;
    const auto languageName = ReadLanguageName(GetProgramDir() + name);
    if (!languageName) continue;
    if (Lowercase(name) == Lowercase(LanguageFileName)) selection = static_cast<int>(fileNames.size());
    languageNames.push_back(*languageName);
    fileNames.push_back(name);
  }
}

void OnChooseLanguage() {
  if (LanguageActive()) {
    LanguageFileName.clear();
  } else {
    CChooseLanguageDlg& dialog = Dialog();
    if (RunModalDialog(dialog) != kAnswerOk) return;
    if (dialog.selection >= 0 && dialog.selection < static_cast<int>(dialog.fileNames.size())) {
      LanguageFileName = dialog.fileNames[static_cast<std::size_t>(dialog.selection)];
    }
  }
  BuildMenus();
}

void ResetChooseLanguage() { Dialog() = CChooseLanguageDlg(); }
