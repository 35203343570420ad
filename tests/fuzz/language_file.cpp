// A language file in the program folder, as Choose Language lists it and the menus load it.
#include "fuzz_support.h"
#include "services/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  const std::string path = WriteFuzzFile("language.str", data, size);
  ReadLanguageName(path);
  const std::optional<LanguageTexts> texts = ReadLanguageFile(path, MenuStringTable);
  if (texts && texts->rowTexts.size() != MenuStringTable.size()) FuzzCheckFailed("texts for another table");
  return 0;
}
