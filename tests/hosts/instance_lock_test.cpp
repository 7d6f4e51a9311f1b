#include "hosts/instance_lock.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace sb {
namespace {

TEST(InstanceLock, ASecondCopyIsRefusedAndAsksTheFirstToComeForward) {
  test::TempDir dir;
  InstanceLock first(dir.path(), "sb");
  ASSERT_TRUE(first.Claim());
  EXPECT_FALSE(first.RaiseRequested());
  {
    InstanceLock second(dir.path(), "sb");
    EXPECT_FALSE(second.Claim());
  }
  EXPECT_TRUE(first.RaiseRequested());
  EXPECT_FALSE(first.RaiseRequested()) << "one request, one raise";
}

TEST(InstanceLock, TheLockIsFreeAgainWhenTheFirstCopyEnds) {
  test::TempDir dir;
  {
    InstanceLock first(dir.path(), "sb");
    ASSERT_TRUE(first.Claim());
  }
  InstanceLock next(dir.path(), "sb");
  EXPECT_TRUE(next.Claim());
}

}  // namespace
}  // namespace sb
