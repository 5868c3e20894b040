// A value set for a scope comes back when the scope ends, however it ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/scoped_value.h"

namespace {

TEST(ScopedValue, PutsThePreviousValueBackOnEveryWayOut) {
  bool flag = false;
  {
    TScopedValue guard(flag, true);
    EXPECT_TRUE(flag);
    {
      TScopedValue inner(flag, true);  // nested: the outer scope keeps its value
    }
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);

  std::string name = "before";
  EXPECT_THROW(
      {
        TScopedValue guard(name, std::string("reading"));
        EXPECT_EQ(name, "reading");
        throw std::runtime_error("failed");
      },
      std::runtime_error);
  EXPECT_EQ(name, "before");
}

}  // namespace
