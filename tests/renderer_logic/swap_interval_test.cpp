#include "swap_interval.h"

#include <gtest/gtest.h>

TEST(SwapInterval, OneRefreshUnlessTheVariableSaysOtherwise) {
  EXPECT_EQ(SwapIntervalFrom(nullptr), 1);
  EXPECT_EQ(SwapIntervalFrom(""), 1);
  EXPECT_EQ(SwapIntervalFrom("0"), 0);
  EXPECT_EQ(SwapIntervalFrom("2"), 2);
  EXPECT_EQ(SwapIntervalFrom("-1"), 1);   // adaptive sync is not asked for
  EXPECT_EQ(SwapIntervalFrom("zero"), 1);
  EXPECT_EQ(SwapIntervalFrom("0x"), 1);
}

TEST(SwapInterval, ExtensionListsMatchWholeNamesOnly) {
  const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
  EXPECT_TRUE(ExtensionListHas(list, "GLX_MESA_swap_control"));
  EXPECT_TRUE(ExtensionListHas(list, "GLX_ARB_create_context"));
  EXPECT_FALSE(ExtensionListHas(list, "GLX_EXT_swap_control"));
  EXPECT_FALSE(ExtensionListHas(list, "GLX_ARB_create"));
  EXPECT_FALSE(ExtensionListHas(nullptr, "GLX_MESA_swap_control"));
  EXPECT_FALSE(ExtensionListHas(list, ""));
}
