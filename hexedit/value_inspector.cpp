// The value inspector's rows.
#include "hexedit/value_inspector.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

// The first sizeof(T) bytes as T, little or big endian.
template <typename T>
T Read(const Byte* bytes, bool bigEndian) {
  using U = std::make_unsigned_t<std::conditional_t<
      std::is_floating_point_v<T>, std::conditional_t<sizeof(T) == 4, int32_t, int64_t>, T>>;
  U u = 0;
  for (size_t i = 0; i < sizeof(T); ++i) {
    const size_t k = bigEndian ? i : sizeof(T) - 1 - i;
    u = static_cast<U>((u << 8) | bytes[k]);
  }
  return std::bit_cast<T>(u);
}

std::string Number(long double v, const char* format) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

template <typename T>
std::string Text(T v) {
  if constexpr (std::is_floating_point_v<T>)
    return Number(v, sizeof(T) == 4 ? "%.9Lg" : "%.17Lg");
  else if constexpr (std::is_signed_v<T>)
    return std::to_string(static_cast<long long>(v));
  else
    return std::to_string(static_cast<unsigned long long>(v));
}

template <typename T>
void Add(std::vector<THexInspectorRow>& rows, const char* name, const Byte* bytes,
         size_t available) {
  for (const bool big : {false, true}) {
    std::string label = name;
    if (sizeof(T) > 1) label += big ? " BE" : " LE";
    rows.push_back(
        {label, available >= sizeof(T) ? Text(Read<T>(bytes, big)) : kHexInspectorMissing});
    if (sizeof(T) == 1) break;  // one byte has no byte order
  }
}

}  // namespace

std::vector<THexInspectorRow> InspectBytes(const Byte* bytes, size_t available,
                                           const std::string& character) {
  std::vector<THexInspectorRow> rows;
  Add<int8_t>(rows, "Int8", bytes, available);
  Add<uint8_t>(rows, "UInt8", bytes, available);
  Add<int16_t>(rows, "Int16", bytes, available);
  Add<uint16_t>(rows, "UInt16", bytes, available);
  Add<int32_t>(rows, "Int32", bytes, available);
  Add<uint32_t>(rows, "UInt32", bytes, available);
  Add<int64_t>(rows, "Int64", bytes, available);
  Add<uint64_t>(rows, "UInt64", bytes, available);
  Add<float>(rows, "Float32", bytes, available);
  Add<double>(rows, "Float64", bytes, available);
  std::string binary = kHexInspectorMissing;
  if (available > 0) {
    binary.clear();
    for (int bit = 7; bit >= 0; --bit) binary += (bytes[0] >> bit) & 1 ? '1' : '0';
  }
  rows.push_back({"Binary", binary});
  rows.push_back({"Character", available > 0 ? character : kHexInspectorMissing});
  return rows;
}
