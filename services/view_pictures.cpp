#include "services/view_pictures.h"

#include "platform/picture_file.h"
#include "platform/platform_services.h"
#include "platform/ui_services.h"
#include "services/file_names.h"

namespace {
int pictureFilterIndex = 0;
}  // namespace

int ConvertPicture(const std::string& source, const std::string& target) {
  Picture picture;
  return LoadPicture(source, &picture) && SavePicture(target, picture) ? 1 : 0;
}

int SaveViewPicture(std::string* chosenPath) {
  Picture picture;
  if (!Platform().ui->GrabViewArea(&picture) || picture.Empty()) return -2;
  const auto path = FileDialogPrompt(0, &pictureFilterIndex, "BMP Files (*.bmp)|*.bmp|JPEG Files (*.jpg)|*.jpg|",
                                     {}, "vorn.bmp");
  if (!path) return 0;
  if (chosenPath != nullptr) *chosenPath = *path;
  return SavePicture(*path, picture) ? 0 : -1;
}

void ResetViewPictures() { pictureFilterIndex = 0; }
