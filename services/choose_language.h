#pragma once

#include <string>
#include <vector>

#include "platform/ui_services.h"

inline constexpr int kMaxLanguageFiles = 256;

// The Choose Language dialog: the language files of the program folder, by file name ignoring
// case, so a list index is an index into fileNames too.
class CChooseLanguageDlg : public DialogModel {
 public:
  static constexpr const char* kName = "ChooseLanguage";
  const char* DialogName() const override { return kName; }

  // Lists the files and selects the active one.
  void OnInitDialog() override;

  std::vector<std::string> languageNames;  // shown in the list
  std::vector<std::string> fileNames;      // the file of each list entry
  int selection = 0;                       // list index; kept between uses; -1 for none
};

// Command 1103: back to English when a language is active (its file loaded), else the Choose Language dialog;
// then the menus are built again, unless the dialog was cancelled.
void OnChooseLanguage();

void ResetChooseLanguage();
