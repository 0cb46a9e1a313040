#include "base/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvell {
namespace {

TEST(ScopeGuard, RunsOnceOnReturnAndOnException) {
  int runs = 0;
  {
    const TScopeGuard guard([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);
  try {
    const TScopeGuard guard([&] { ++runs; });
    throw std::runtime_error("fails");
  } catch (const std::runtime_error&) {}
  EXPECT_EQ(runs, 2);
}

TEST(ScopeGuard, DismissedDoesNothing) {
  int runs = 0;
  {
    TScopeGuard guard([&] { ++runs; });
    guard.Dismiss();
  }
  EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace tarvell
