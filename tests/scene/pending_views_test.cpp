#include <gtest/gtest.h>

#include <vector>

#include "platform/command_queue.h"
#include "program_state.h"
#include "scene/pending_views.h"
#include "scene/viewport.h"

namespace {

using PendingViewsTest = LumidrexTest;

TEST_F(PendingViewsTest, LastPushedIsTakenFirstAndEachPushPostsANewWindow) {
  EXPECT_EQ(PopPendingViewType(), kViewFront);  // nothing waits
  PushPendingViewType(kViewTop);
  PushPendingViewType(kView3D);
  std::vector<int> posted;
  ProgramCommandQueue().SetDispatcher([&posted](int id) { posted.push_back(id); });
  ProgramCommandQueue().Drain();
  EXPECT_EQ(posted, (std::vector<int>{kCommandWindowNew, kCommandWindowNew}));
  EXPECT_EQ(PopPendingViewType(), kView3D);
  EXPECT_EQ(PopPendingViewType(), kViewTop);
  EXPECT_EQ(PendingViewTop, -1);
}

TEST_F(PendingViewsTest, PushOntoAFullStackOverwritesTheTop) {
  for (int i = 0; i < kPendingViewSlots; ++i) PushPendingViewType(i % 7);
  PushPendingViewType(kViewBottom);
  EXPECT_EQ(PendingViewTop, kPendingViewSlots - 1);
  EXPECT_EQ(PopPendingViewType(), kViewBottom);
  EXPECT_EQ(PopPendingViewType(), (kPendingViewSlots - 2) % 7);
}

}  // namespace
