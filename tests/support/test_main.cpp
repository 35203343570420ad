#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  // Qt must pick the offscreen platform before any Qt object exists; an explicit choice stands.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform == nullptr || *platform == '\0') setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
