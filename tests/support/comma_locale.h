#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <locale>
#include <string>

#include "temp_dir.h"

struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

// A comma-decimal locale for both C and C++ for as long as it lives. The C library's is built
// into a folder of its own, so no installed locale is needed, only the locales package.
class CommaLocale {
 public:
  CommaLocale() {
    const std::string command = "localedef -i de_DE -f UTF-8 " + folder_.File("de_DE.UTF-8") + " 2>&1";
    const int status = std::system(command.c_str());
    setenv("LOCPATH", folder_.path().c_str(), 1);
    active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    if (!active_ || std::localeconv()->decimal_point != std::string(",")) {
      ADD_FAILURE() << "No comma-decimal locale (localedef status " << status
                    << "): the tests need the Debian package locales";
      active_ = false;
    }
  }
  ~CommaLocale() {
    std::locale::global(std::locale::classic());
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
  }
  bool active() const { return active_; }

 private:
  TempDir folder_;
  bool active_ = false;
};
