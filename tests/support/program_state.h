#pragma once

#include <gtest/gtest.h>

// Resets every piece of program-wide state to what start-up leaves.
void ResetProgramState();

// Base of every test fixture: each test starts from, and leaves behind, a freshly started program.
class LumidrexTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetProgramState(); }
  void TearDown() override { ResetProgramState(); }
};
