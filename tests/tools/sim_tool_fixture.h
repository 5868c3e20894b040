// zn4417ctl run as a program against the simulated chip kept in a file:
// a fresh memory file per test, with recognisable bytes outside the
// parameter area.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "link/simulated_chip.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/run_tool.h"

namespace fs = std::filesystem;

class SimToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    simFile = dir / "chip.mem";
    SimulatedChip chip;
    std::vector<uint8_t> memory = chip.Memory();
    for (int i = 0; i < 64; ++i) {
      if (i < 10 || i > 32) memory[kSfr + i] = static_cast<uint8_t>(0x40 + i);
    }
    WriteFile(simFile, memory);
  }
  ToolResult Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--bridge", "sim:" + simFile.string()});
    return RunTool(args);
  }

  std::vector<uint8_t> Sfr() { return SfrOf(simFile); }
  // Runs dump and checks the lines at the given places among its 33.
  void ExpectDumpLines(const std::vector<std::pair<size_t, std::string>>& expected) {
    const std::vector<std::string> lines = SplitLines(Run({"dump"}).out);
    ASSERT_EQ(lines.size(), 33u);
    for (const auto& [index, line] : expected) EXPECT_EQ(lines[index], line) << index;
  }
  static std::vector<uint8_t> SfrOf(const fs::path& file) {
    std::vector<uint8_t> memory = ReadFile(file);
    if (memory.size() < kSfr + 64) return {};
    return {memory.begin() + kSfr, memory.begin() + kSfr + 64};
  }
  // Another chip's memory file, a copy of the first one's.
  fs::path CopyChip(const std::string& name) {
    fs::path file = dir / name;
    fs::copy_file(simFile, file);
    return file;
  }

  static constexpr size_t kSfr = SimulatedChip::kSfrSpace * SimulatedChip::kSpaceSize;
  TempDir temp{"zn4417ctl-test"};
  const fs::path& dir = temp.Path();
  fs::path simFile;
};

// Three bridges with chips in files: bridge 0 and 2 ZN4417 bridges, bridge 1
// one of another kind.
class MultiToolTest : public SimToolTest {
 protected:
  void SetUp() override {
    SimToolTest::SetUp();
    other = CopyChip("other.mem");
    second = CopyChip("second.mem");
    address = "sim:" + simFile.string() + "," + other.string() + "?serial=other-bridge," +
              second.string();
  }
  ToolResult RunAll(std::vector<std::string> args) {
    args.insert(args.begin(), {"--bridge", address});
    return RunTool(args);
  }
  fs::path other, second;
  std::string address;
};
