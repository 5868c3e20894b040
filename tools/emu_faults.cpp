#include "tools/emu_faults.h"
#include "link/decimal_text.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace {

// What follows a kind's name: ":N" and "@AT", each refused, optional or required.
enum Part { pNone, pOptional, pRequired };

struct Range {
  uint64_t min;
  uint64_t max;
  uint64_t fallback;  // when an optional part is left out
};

// One kind of fault: its name, the parts it takes and how it is stored.
// `apply` gets the count and the place (the host bytes of a wire fault,
// with `device` for the device bytes).
struct Kind {
  const char* name;
  bool wire;
  Part count;
  Range countRange;
  Part at;
  const char* atName;  // what AT counts, for messages
  Range atRange;
  bool deviceBytes;  // AT may be HOST+DEVICE
  std::function<void(EmuFaults&, uint64_t count, uint64_t at, uint64_t device)> apply;
};

constexpr Range kNoRange{0, 0, 0};
constexpr Range kStrayCount{1, 255, 1};
constexpr Range kHostBytes{0, 1000000000, 0};
constexpr Range kPacket{0, 2048, 0};
constexpr Range kChunk{0, 2047, 0};
constexpr Range kAddress{0, 65535, 0};

std::function<void(EmuFaults&, uint64_t, uint64_t, uint64_t)> Wire(WireAction action) {
  return [action](EmuFaults& f, uint64_t count, uint64_t at, uint64_t device) {
    f.wire.push_back({action, at, device, static_cast<uint32_t>(count)});
  };
}

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"unplug", true, pNone, kNoRange, pOptional, "HOST", kHostBytes, true, Wire(waUnplug)},
      {"silent", true, pNone, kNoRange, pOptional, "HOST", kHostBytes, true, Wire(waSilent)},
      {"garbage", true, pNone, kNoRange, pOptional, "HOST", kHostBytes, true, Wire(waGarbage)},
      {"extra", true, pOptional, kStrayCount, pOptional, "HOST", kHostBytes, true,
       Wire(waExtraBytes)},
      {"early", true, pNone, kNoRange, pOptional, "HOST", kHostBytes, false, Wire(waEarly)},
      {"stray", false, pOptional, kStrayCount, pRequired, "PACKET", kPacket, false,
       [](EmuFaults& f, uint64_t count, uint64_t at, uint64_t) {
         f.chip.strayAfterPacket = static_cast<int>(at);
         f.chip.strayBytes = static_cast<int>(count);
       }},
      {"short-reply", false, pNone, kNoRange, pNone, "", kNoRange, false,
       [](EmuFaults& f, uint64_t, uint64_t, uint64_t) { f.chip.shortCommandReply = true; }},
      {"short-chunk", false, pNone, kNoRange, pRequired, "CHUNK", kChunk, false,
       [](EmuFaults& f, uint64_t, uint64_t at, uint64_t) {
         f.chip.shortReadChunk = static_cast<int>(at);
       }},
      {"wrong-ack", false, pNone, kNoRange, pRequired, "CHUNK", kChunk, false,
       [](EmuFaults& f, uint64_t, uint64_t at, uint64_t) {
         f.chip.wrongAckChunk = static_cast<int>(at);
       }},
      {"corrupt", false, pNone, kNoRange, pRequired, "ADDRESS", kAddress, false,
       [](EmuFaults& f, uint64_t, uint64_t at, uint64_t) {
         f.chip.corruptSfrAddress = static_cast<int>(at);
       }},
      {"drift", false, pNone, kNoRange, pNone, "", kNoRange, false,
       [](EmuFaults& f, uint64_t, uint64_t, uint64_t) { f.chip.driftOffset63 = true; }},
      {"refuse", false, pNone, kNoRange, pNone, "", kNoRange, false,
       [](EmuFaults& f, uint64_t, uint64_t, uint64_t) { f.chip.refuseOpen = true; }},
  };
  return kinds;
}

std::string KindList() {
  std::string list;
  const auto& kinds = Kinds();
  for (size_t i = 0; i < kinds.size(); ++i) {
    list += i == 0 ? "" : i + 1 == kinds.size() ? " or " : ", ";
    list += kinds[i].name;
  }
  return list;
}

bool ParseNumber(const std::string& text, const Range& range, uint64_t& value) {
  return ParseDecimal(text, 10, value) && value >= range.min && value <= range.max;
}

std::string RangeText(const Range& range) {
  return "a number from " + std::to_string(range.min) + " to " + std::to_string(range.max);
}

// Splits "NAME[:COUNT][@AT]"; `hasCount`/`hasAt` tell which parts were there.
void Split(const std::string& text, std::string& name, std::string& count, bool& hasCount,
           std::string& at, bool& hasAt) {
  const size_t atSign = text.find('@');
  hasAt = atSign != std::string::npos;
  const std::string head = text.substr(0, atSign);
  if (hasAt) at = text.substr(atSign + 1);
  const size_t colon = head.find(':');
  hasCount = colon != std::string::npos;
  name = head.substr(0, colon);
  if (hasCount) count = head.substr(colon + 1);
}

bool CheckPresence(const Kind& kind, bool hasCount, bool hasAt, std::string& why) {
  if (hasCount && kind.count == pNone) {
    why = "takes no :N";
  } else if (hasAt && kind.at == pNone) {
    why = "takes no @";
  } else if (!hasAt && kind.at == pRequired) {
    why = "needs @" + std::string(kind.atName);
  }
  return why.empty();
}

bool ParseAt(const Kind& kind, const std::string& at, uint64_t& host, uint64_t& device,
             std::string& why) {
  const size_t plus = at.find('+');
  if (plus != std::string::npos && !kind.deviceBytes) {
    why = "takes no +DEVICE";
    return false;
  }
  if (!ParseNumber(at.substr(0, plus), kind.atRange, host)) {
    why = "@" + std::string(kind.atName) + " must be " + RangeText(kind.atRange);
    return false;
  }
  if (plus != std::string::npos && !ParseNumber(at.substr(plus + 1), kHostBytes, device)) {
    why = "+DEVICE must be " + RangeText(kHostBytes);
    return false;
  }
  return true;
}

bool ParseParts(const Kind& kind, const std::string& text, EmuFaults& faults, std::string& why) {
  std::string name, count, at;
  bool hasCount = false, hasAt = false;
  Split(text, name, count, hasCount, at, hasAt);
  if (!CheckPresence(kind, hasCount, hasAt, why)) return false;
  uint64_t n = kind.countRange.fallback, host = kind.atRange.fallback, device = 0;
  if (hasCount && !ParseNumber(count, kind.countRange, n)) {
    why = ":N must be " + RangeText(kind.countRange);
    return false;
  }
  if (hasAt && !ParseAt(kind, at, host, device, why)) return false;
  if (!kind.wire) {
    if (std::count(faults.chipKinds.begin(), faults.chipKinds.end(), kind.name) != 0) {
      why = "given twice";
      return false;
    }
    faults.chipKinds.push_back(kind.name);
  } else {
    faults.wireTexts.push_back(text);
  }
  kind.apply(faults, n, host, device);
  return true;
}

}  // namespace

bool AddFault(const std::string& text, EmuFaults& faults, std::string& error) {
  const std::string name = text.substr(0, text.find_first_of(":@"));
  const auto& kinds = Kinds();
  const auto kind =
      std::find_if(kinds.begin(), kinds.end(), [&](const Kind& k) { return name == k.name; });
  std::string why;
  if (kind == kinds.end()) {
    why = "unknown kind (expected " + KindList() + ")";
  } else {
    ParseParts(*kind, text, faults, why);
  }
  if (why.empty()) return true;
  error = "bad fault '" + text + "': " + why;
  return false;
}
