#include "swap_interval.h"

#include <gtest/gtest.h>

TEST(SwapInterval, OneRefreshUnlessTheVariableSaysOtherwiseAndWholeExtensionNames) {
  const std::pair<const char*, int> intervals[] = {{nullptr, 1}, {"", 1},     {"0", 0},  {"2", 2},
                                                    {"-1", 1},   {"zero", 1}, {"0x", 1}};  // -1: no adaptive sync
  for (const auto& [text, want] : intervals) EXPECT_EQ(SwapIntervalFrom(text), want) << (text ? text : "unset");
  const char* list = "GLX_ARB_create_context GLX_EXT_swap_control_tear GLX_MESA_swap_control";
  for (const char* name : {"GLX_MESA_swap_control", "GLX_ARB_create_context"}) EXPECT_TRUE(ExtensionListHas(list, name));
  for (const char* part : {"GLX_EXT_swap_control", "GLX_ARB_create", ""}) EXPECT_FALSE(ExtensionListHas(list, part));
  EXPECT_FALSE(ExtensionListHas(nullptr, "GLX_MESA_swap_control"));
}
