// The byte formats the hex view exchanges through the clipboard and by drag
// and drop, as plain conversions (the widget maps them onto MIME data).
//
// Texts on the clipboard are Unicode; the view's bytes are characters of
// the Windows (code page 1252) set. The five positions that set leaves
// unassigned travel as the C1 control characters of the same number, so
// every byte value survives a round trip through another program.
#pragma once

#include <string>
#include <vector>

#include "hexview/hvtypes.h"

// MIME types of the formats that have no standard one.
inline constexpr const char* kHVClipboardMime = "application/x-thexviewex-clipboard-format";
inline constexpr const char* kHVRegEditMime = "application/x-regedit-hexdata";
inline constexpr const char* kHVTextMime = "text/plain";
inline constexpr const char* kHVRichTextMime = "text/rtf";
inline constexpr const char* kHVUriListMime = "text/uri-list";
inline constexpr const char* kHVOctetStreamMime = "application/octet-stream";

// Registered names, shown in the format selection dialog.
inline constexpr const char* kHVClipboardFormatName = "THexViewEx Clipboard Format";
inline constexpr const char* kHVRichTextFormatName = "Rich Text Format";
inline constexpr const char* kHVRegEditFormatName = "RegEdit_HexData";
inline constexpr const char* kHVFileContentsFormatName = "FileContents";

// Undo descriptions of the clipboard and drop edits.
inline constexpr const char* kHVPasteFromClipboard = "Paste from Clipboard";
inline constexpr const char* kHVCutToClipboard = "Cut to Clipboard";
inline constexpr const char* kHVDataDropped = "Data Dropped";
inline constexpr const char* kHVDataMoved = "Data Moved";

// Accepted formats in priority order (the first one offered is the default).
enum THVClipFormat {
  hcfPrivate,      // the private block
  hcfFileList,     // files (contents of the first, or the names)
  hcfText,         // zero-terminated text, or hex text
  hcfRichText,     // treated as text
  hcfBitmap,       // any image, saved as a bitmap file image
  hcfOctetStream,  // the whole block
  hcfRegEditHexData
};
constexpr int kHVClipFormatCount = 7;

// The accepted formats among the offered MIME types, in priority order;
// without supportsOther only the private format and file lists count.
std::vector<THVClipFormat> HVAcceptedClipFormats(const std::vector<std::string>& offeredMimeTypes,
                                                 bool supportsOther);
// The name the format selection dialog lists a format by.
std::string HVClipFormatName(THVClipFormat format);
// Text formats whose content may be read as hex text.
inline bool HVIsTextClipFormat(THVClipFormat f) {
  return f == hcfText;
}

// Private block: "HVCB", 65537, the byte count (little-endian), the bytes.
std::vector<Byte> HVMakeClipBlock(const Byte* data, Integer count);
// The bytes of a block; false for another signature or number, or a block
// too short for its header. A count beyond the block's end is cut to it.
bool HVReadClipBlock(const Byte* block, size_t size, std::vector<Byte>& bytes);

// "RegEdit_HexData": a 32-bit length, then the bytes (cut to the block).
std::vector<Byte> HVReadRegEditHexData(const Byte* block, size_t size);

// The clipboard text of copied bytes (8-bit, without a terminating zero):
// with asHex 2 upper-case hex digits per byte (low digit first with
// swapNibbles), otherwise the bytes up to the first zero byte.
std::string HVClipTextOf(const Byte* data, Integer count, bool asHex, bool swapNibbles);
// The bytes of a zero-terminated block: everything before the first zero.
std::vector<Byte> HVZeroTerminated(const Byte* block, size_t size);

// 8-bit text to Unicode and back (see above); characters without a byte
// become "?", and the text ends at the first zero character.
std::u32string HVAnsiToUnicode(const std::string& bytes);
std::string HVUnicodeToAnsi(const std::u32string& text);

// A device-independent bitmap block as a bitmap file: a 14-byte header
// with the signature "BM" and all other fields zero, then the block.
std::vector<Byte> HVDibToBitmapFile(const Byte* block, size_t size);

// File names, each followed by a zero byte.
std::vector<Byte> HVFileNameList(const std::vector<std::string>& names);

// "Dump of NAME.bin" for a document file name: NAME without folders and
// extension, shortened (at a character boundary) to keep the whole name
// within 255 bytes.
std::string HVVirtualFileName(const std::string& documentFileName);
