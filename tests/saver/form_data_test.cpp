// The form layer's platform-free parts: the property store.
#include <gtest/gtest.h>

#include "forms/property_bag.h"

namespace {

TEST(PropertyBag, DefaultsAreNotStoredAndComeBackWhenAbsent) {
  qgf::PropertyBag bag;
  bag.Write("Caption", std::string("Command"), std::string("Command"));
  EXPECT_FALSE(bag.Contains("Caption"));
  EXPECT_EQ(std::get<std::string>(bag.Read("Caption", std::string("dflt"))), "dflt");
  bag.Write("Caption", std::string("設定"), std::string("Command"));
  EXPECT_EQ(std::get<std::string>(bag.Read("Caption", std::string("dflt"))), "設定");
  bag.Write("FontColour", std::int32_t(0xFF), std::string("0"));
  EXPECT_EQ(qgf::AsInt32(bag.Read("FontColour", std::string("0"))), 255);
  EXPECT_EQ(qgf::AsInt32(std::string("0")), 0);
  EXPECT_EQ(qgf::AsBool(std::string("True")), true);
  EXPECT_EQ(qgf::AsBool(std::int16_t(0)), false);
  // Writing the default again removes the stored value.
  bag.Write("Caption", std::string("Command"), std::string("Command"));
  EXPECT_FALSE(bag.Contains("Caption"));
  EXPECT_EQ(bag.size(), 1u);
}

}  // namespace
