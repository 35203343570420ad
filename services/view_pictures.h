#pragma once

#include <string>

// Loads a picture and saves it under another name, the format following each name's extension.
// 1 on success, 0 on failure.
int ConvertPicture(const std::string& source, const std::string& target);

// Saves the area holding every view as a picture file the user names: 0 saved or cancelled,
// -1 writing failed, -2 no picture of the area could be made. chosenPath, when given, receives
// the name the user chose.
int SaveViewPicture(std::string* chosenPath = nullptr);

void ResetViewPictures();
