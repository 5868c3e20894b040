// Clipboard and drag-and-drop byte formats.
#include "hexview/hvclipformats.h"

#include <algorithm>
#include <cstring>

#include "hexview/hvhextext.h"
#include "hexview/hvtranslation.h"

namespace {

constexpr Byte kBlockSignature[4] = {'H', 'V', 'C', 'B'};
constexpr uint32_t kBlockVersion = 65537;
constexpr size_t kBlockHeader = 12;
constexpr size_t kMaxFileName = 255;

void PutLe32(std::vector<Byte>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<Byte>(v >> (8 * i)));
}

uint32_t GetLe32(const Byte* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool StartsWith(const std::string& s, const char* prefix) {
  return s.rfind(prefix, 0) == 0;
}

// A MIME type without parameters ("text/plain;charset=utf-8" -> "text/plain").
std::string BaseType(const std::string& mime) {
  return mime.substr(0, mime.find(';'));
}

bool Offers(THVClipFormat f, const std::string& mime) {
  const std::string base = BaseType(mime);
  switch (f) {
    case hcfPrivate:
      return base == kHVClipboardMime;
    case hcfFileList:
      return base == kHVUriListMime;
    case hcfText:
      return base == kHVTextMime;
    case hcfRichText:
      return base == kHVRichTextMime || base == "application/rtf";
    case hcfBitmap:
      return StartsWith(base, "image/") || base == "application/x-qt-image";
    case hcfOctetStream:
      return base == kHVOctetStreamMime;
    case hcfRegEditHexData:
      return base == kHVRegEditMime;
  }
  return false;
}

// The byte of a Unicode character in code page 1252, or -1.
int AnsiByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int b = 0x80; b < 0xA0; ++b) {
    const char32_t mapped = Cp1252ToUnicode(static_cast<Byte>(b));
    if (mapped == c || (mapped == 0xFFFD && c == static_cast<char32_t>(b))) return b;
  }
  return -1;
}

}  // namespace

std::vector<THVClipFormat> HVAcceptedClipFormats(const std::vector<std::string>& offeredMimeTypes,
                                                 bool supportsOther) {
  std::vector<THVClipFormat> formats;
  const int count = supportsOther ? kHVClipFormatCount : 2;
  for (int i = 0; i < count; ++i) {
    const auto f = static_cast<THVClipFormat>(i);
    if (std::any_of(offeredMimeTypes.begin(), offeredMimeTypes.end(),
                    [f](const std::string& m) { return Offers(f, m); }))
      formats.push_back(f);
  }
  return formats;
}

std::string HVClipFormatName(THVClipFormat format) {
  switch (format) {
    case hcfPrivate:
      return kHVClipboardFormatName;
    case hcfFileList:
      return "File List";
    case hcfText:
      return "Text";
    case hcfRichText:
      return kHVRichTextFormatName;
    case hcfBitmap:
      return "Bitmap Picture";
    case hcfOctetStream:
      return kHVOctetStreamMime;
    case hcfRegEditHexData:
      return kHVRegEditFormatName;
  }
  return std::string();
}

std::vector<Byte> HVMakeClipBlock(const Byte* data, Integer count) {
  count = data ? std::max(count, 0) : 0;
  std::vector<Byte> block(kBlockSignature, kBlockSignature + 4);
  PutLe32(block, kBlockVersion);
  PutLe32(block, static_cast<uint32_t>(count));
  block.insert(block.end(), data, data + count);
  return block;
}

bool HVReadClipBlock(const Byte* block, size_t size, std::vector<Byte>& bytes) {
  bytes.clear();
  if (!block || size < kBlockHeader || std::memcmp(block, kBlockSignature, 4) != 0 ||
      GetLe32(block + 4) != kBlockVersion)
    return false;
  const size_t count = std::min<size_t>(GetLe32(block + 8), size - kBlockHeader);
  bytes.assign(block + kBlockHeader, block + kBlockHeader + count);
  return true;
}

std::vector<Byte> HVReadRegEditHexData(const Byte* block, size_t size) {
  if (!block || size < 4) return {};
  const size_t count = std::min<size_t>(GetLe32(block), size - 4);
  return std::vector<Byte>(block + 4, block + 4 + count);
}

std::string HVClipTextOf(const Byte* data, Integer count, bool asHex, bool swapNibbles) {
  if (!data || count <= 0) return std::string();
  if (asHex) return ConvertBinToHex(data, count, swapNibbles);
  const Byte* end = std::find(data, data + count, 0);
  return std::string(data, end);
}

std::vector<Byte> HVZeroTerminated(const Byte* block, size_t size) {
  if (!block) return {};
  return std::vector<Byte>(block, std::find(block, block + size, 0));
}

std::u32string HVAnsiToUnicode(const std::string& bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const Byte b = static_cast<Byte>(c);
    if (b == 0) break;
    const char32_t u = Cp1252ToUnicode(b);
    text.push_back(u == 0xFFFD ? static_cast<char32_t>(b) : u);
  }
  return text;
}

std::string HVUnicodeToAnsi(const std::u32string& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char32_t c : text) {
    if (c == 0) break;
    const int b = AnsiByteOf(c);
    bytes.push_back(static_cast<char>(b < 0 ? '?' : b));
  }
  return bytes;
}

std::vector<Byte> HVDibToBitmapFile(const Byte* block, size_t size) {
  std::vector<Byte> file(14, 0);
  file[0] = 'B';
  file[1] = 'M';
  if (block) file.insert(file.end(), block, block + size);
  return file;
}

std::vector<Byte> HVFileNameList(const std::vector<std::string>& names) {
  std::vector<Byte> out;
  for (const std::string& n : names) {
    out.insert(out.end(), n.begin(), n.end());
    out.push_back(0);
  }
  return out;
}

std::string HVVirtualFileName(const std::string& documentFileName) {
  std::string stem = documentFileName.substr(documentFileName.find_last_of("/\\") + 1);
  const size_t dot = stem.rfind('.');
  if (dot != std::string::npos && dot > 0) stem.erase(dot);
  const std::string prefix = "Dump of ", suffix = ".bin";
  const size_t room = kMaxFileName - prefix.size() - suffix.size();
  if (stem.size() > room) {
    size_t cut = room;
    while (cut > 0 && (static_cast<Byte>(stem[cut]) & 0xC0) == 0x80) --cut;  // UTF-8 boundary
    stem.erase(cut);
  }
  return prefix + stem + suffix;
}
