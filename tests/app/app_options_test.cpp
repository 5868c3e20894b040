// The command line of zn4417config.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_options.h"

namespace {

struct Parsed {
  bool ok;
  AppOptions options;
  std::string error;
};

Parsed Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "zn4417config");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  Parsed p;
  p.ok = ParseAppCommandLine(static_cast<int>(argv.size()), argv.data(), p.options, p.error);
  return p;
}

TEST(AppOptions, DefaultsToRealBridgesWithTheBridgeId) {
  const Parsed p = Parse({});
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.options.bridge, "usb");
  EXPECT_EQ(p.options.usbId.vendor, 0x10C4);
  EXPECT_EQ(p.options.usbId.product, 0xEA61);
  EXPECT_FALSE(p.options.help);
}

TEST(AppOptions, BridgeAndUsbIdInBothSpellings) {
  Parsed p = Parse({"--bridge", "sim", "--usb-id", "1234:abCD"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.bridge, "sim");
  EXPECT_EQ(p.options.usbId.vendor, 0x1234);
  EXPECT_EQ(p.options.usbId.product, 0xABCD);
  p = Parse({"--bridge=tcp://127.0.0.1:5000", "--usb-id=0001:0002"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.bridge, "tcp://127.0.0.1:5000");
  EXPECT_EQ(p.options.usbId.product, 0x0002);
  p = Parse({"--bridge=sim:", "--bridge", "usb"});
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.options.bridge, "usb") << "the last one counts";
}

TEST(AppOptions, HelpAndWindowSystemArguments) {
  Parsed p = Parse({"--help"});
  ASSERT_TRUE(p.ok);
  EXPECT_TRUE(p.options.help);
  p = Parse({"-platform", "offscreen", "--bridge", "sim"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.options.bridge, "sim");
  EXPECT_NE(std::string(AppHelpText()).find("--bridge ADDRESS"), std::string::npos);
}

TEST(AppOptions, AdvancedAndVerboseAreOffUnlessGiven) {
  Parsed p = Parse({"--bridge", "sim"});
  ASSERT_TRUE(p.ok);
  EXPECT_FALSE(p.options.advanced);
  EXPECT_FALSE(p.options.verbose);
  p = Parse({"--advanced", "--bridge", "sim", "--verbose"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.options.advanced);
  EXPECT_TRUE(p.options.verbose);
  EXPECT_EQ(p.options.bridge, "sim");
  p = Parse({"--advanced=yes"});
  EXPECT_FALSE(p.ok);
  EXPECT_NE(p.error.find("--advanced=yes"), std::string::npos) << p.error;
}

}  // namespace
