#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "platform/gl/gl_frame.h"

namespace {

// Begins a frame or fails the test with the reason: CI installs Mesa, so a missing display is a
// fault, never a reason to skip.
void BeginOrFail(int width, int height) {
  GlFrame& frame = GlFrame::Instance();
  ASSERT_EQ(frame.Begin(width, height), GlFrame::Status::kReady) << frame.lastError();
}

TEST(GlFrameTest, ReadsColourRowsPaddedLikeTheCanvas) {
  ASSERT_NO_FATAL_FAILURE(BeginOrFail(3, 2));
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  // A green pixel at the bottom left: the first row read back is the bottom row.
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 1, 1);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);

  std::vector<std::uint8_t> rows(2 * 12, 0xAB);
  GlFrame::Instance().ReadColour(rows.data());
  const std::vector<std::uint8_t> bottom(rows.begin(), rows.begin() + 9);
  const std::vector<std::uint8_t> top(rows.begin() + 12, rows.begin() + 21);
  EXPECT_EQ(bottom, (std::vector<std::uint8_t>{0, 255, 0, 0, 0, 255, 0, 0, 255}));
  EXPECT_EQ(top, (std::vector<std::uint8_t>{0, 0, 255, 0, 0, 255, 0, 0, 255}));
}

TEST(GlFrameTest, FollowsThePaneSizeAndReadsDepth) {
  ASSERT_NO_FATAL_FAILURE(BeginOrFail(40, 30));
  ASSERT_NO_FATAL_FAILURE(BeginOrFail(8, 4));
  EXPECT_EQ(GlFrame::Instance().width(), 8);
  EXPECT_EQ(GlFrame::Instance().height(), 4);

  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // A quad over the left half at z = 0: window depth 0.5 there, the cleared 1.0 elsewhere.
  glBegin(GL_QUADS);
  glVertex3f(-1, -1, 0);
  glVertex3f(0, -1, 0);
  glVertex3f(0, 1, 0);
  glVertex3f(-1, 1, 0);
  glEnd();
  glDisable(GL_DEPTH_TEST);

  std::vector<float> depth(8 * 4, -1.0f);
  GlFrame::Instance().ReadDepth(depth.data());
  EXPECT_NEAR(depth[0], 0.5f, 1e-6f);
  EXPECT_NEAR(depth[3 * 8 + 3], 0.5f, 1e-6f);
  EXPECT_EQ(depth[4], 1.0f);
  EXPECT_EQ(depth[3 * 8 + 7], 1.0f);
}

}  // namespace
