#include "services/resource_strings.h"

#include <vector>

std::string GetResourceString(int id) {
  switch (id) {
    case kApplicationTitleString:
      return "Lumidrex 5.1";
    case kUntitledString:
      return "Untitled";
    case kMainFrameString:
      return "Lumidrex\n\nVORN\nLumidrex Files (*.lxd)\n.LXD\nVORN.Document\nLumidrex Document";
    case kDocumentTemplateString:
      return "\nVORN\nVORN\nLumidrex Files (*.lxd)\n.lxd\nLumidrex.Document\nVORN Document";
    default:
      return "";
  }
}

std::string ApplicationTitle() { return GetResourceString(kApplicationTitleString); }

std::string DesignFileFilter() {
  // The template's fields: window title, document name, new-file name, filter name, extension, ...
  std::vector<std::string> fields(1);
  for (const char c : GetResourceString(kDocumentTemplateString)) {
    if (c == '\n') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  fields.resize(5);
  return fields[3] + "|*" + fields[4] + "|All Files (*.*)|*.*|";
}
