// A 64-byte image file through the tool's write path up to the block that
// reaches the chip: any file other than exactly 64 bytes is refused before
// a bridge is touched; a 64-byte one is encoded, forced at offsets 12 and
// 20, written and verified, keeps every byte outside the parameter map,
// carries only in-range parameters, and writes the same block again when
// nothing changed.
#include <fuzzer/FuzzedDataProvider.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "link/sim_bridge.h"
#include "model/config_controller.h"
#include "model/headless_view.h"
#include "tools/ctl_commands.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

bool IsMapped(int offset) {
  return offset >= 10 && offset <= 32 && offset != 27;
}

std::array<Byte, kRomSize> ChipBlock(SimBridgeLibrary& library) {
  std::array<Byte, kRomSize> block{};
  for (int i = 0; i < kRomSize; ++i) block[i] = library.Chip().Peek(SFR, static_cast<uint16_t>(i));
  return block;
}

void CheckInRange(const std::array<Byte, kRomSize>& block) {
  const ParameterSet params = DecodeImage(RomImage(block));
  for (int id = 0; id < kNumericCount; ++id) {
    const ParamDescriptor& d = DescriptorOf(static_cast<ParamId>(id));
    Require(params.Value(d.id) >= d.min && params.Value(d.id) <= d.max);
  }
}

// The input as a file the tool is given (no file system needed).
std::string AsFile(const uint8_t* data, size_t size, int& fd) {
  fd = memfd_create("image", 0);
  Require(fd >= 0);
  Require(size == 0 || write(fd, data, size) == static_cast<ssize_t>(size));
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int fd = -1;
  CtlOptions options;
  options.bridge = "sim";
  options.command = ccWrite;
  options.args = {AsFile(data, size, fd)};
  CtlPlan plan;
  std::string error;
  const bool prepared = PrepareCommand(options, plan, error);
  close(fd);
  Require(prepared == (size == static_cast<size_t>(kRomSize)));
  if (!prepared) {
    Require(!error.empty());
    return 0;
  }
  Require(std::equal(plan.image.begin(), plan.image.end(), data));

  SimBridgeLibrary library;
  UsbLink link(library);
  HeadlessConfigView view;
  ConfigController controller(view, link);
  controller.SetSleep([](std::chrono::milliseconds) {});
  controller.FormCreate();
  Require(controller.Connected());
  controller.LoadImage(plan.image);
  Require(controller.WriteConfiguration() == woVerified);
  Require(view.Messages().size() == 1 && view.Messages()[0] == kWriteSuccessText);

  const std::array<Byte, kRomSize> sent = ChipBlock(library);
  Require(sent == view.Rom().Bytes());
  Require(sent[kForcedOffset12] == kForcedValue12 && sent[kForcedOffset20] == kForcedValue20);
  for (int i = 0; i < kRomSize; ++i) {
    if (!IsMapped(i)) Require(sent[i] == data[i]);
  }
  CheckInRange(sent);

  Require(controller.WriteConfiguration() == woVerified);
  Require(ChipBlock(library) == sent);
  return 0;
}
