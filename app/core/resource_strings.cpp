#include "app/core/resource_strings.h"

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
