// The udev rule grants access to the bridge the programs look for by
// default: its ids must be the default USB id, in the lower case udev
// compares, and it must run before the rules that apply "uaccess".
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/bridge_address.h"

namespace {

std::vector<std::string> RuleLines() {
  std::ifstream in(ZN_UDEV_RULE);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    lines.push_back(line);
  }
  return lines;
}

std::string Hex4(uint16_t value) {
  char text[5];
  std::snprintf(text, sizeof text, "%04x", value);
  return text;
}

bool Has(const std::string& line, const std::string& key) {
  return line.find(key) != std::string::npos;
}

}  // namespace

TEST(UdevRule, MatchesTheDefaultBridgeIdAndGrantsAccess) {
  const std::vector<std::string> lines = RuleLines();
  ASSERT_EQ(lines.size(), 1u) << "one rule line expected in " << ZN_UDEV_RULE;
  const std::string& rule = lines[0];
  const UsbId id;
  EXPECT_TRUE(Has(rule, "SUBSYSTEM==\"usb\"")) << rule;
  EXPECT_TRUE(Has(rule, "ATTRS{idVendor}==\"" + Hex4(id.vendor) + "\"")) << rule;
  EXPECT_TRUE(Has(rule, "ATTRS{idProduct}==\"" + Hex4(id.product) + "\"")) << rule;
  EXPECT_TRUE(Has(rule, "TAG+=\"uaccess\"")) << rule;
  EXPECT_TRUE(Has(rule, "MODE=\"0660\"")) << rule;
  EXPECT_TRUE(Has(rule, "GROUP=\"plugdev\"")) << rule;
  // Assignments use one '=' (or '+='); a doubled one would be a comparison
  // and grant nothing.
  EXPECT_FALSE(Has(rule, "TAG==") || Has(rule, "MODE==") || Has(rule, "GROUP==")) << rule;
}

TEST(UdevRule, RunsBeforeTheSeatRulesApplyUaccess) {
  // systemd's 73-seat-late.rules turns the "uaccess" tag into an ACL; a tag
  // added by a later file is never seen.
  const std::string name = std::filesystem::path(ZN_UDEV_RULE).filename().string();
  ASSERT_GE(name.size(), 3u);
  EXPECT_LT(std::stoi(name.substr(0, 2)), 73) << name;
  EXPECT_EQ(name.substr(name.size() - 6), ".rules");
}
