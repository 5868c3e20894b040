// EHexView: the exception by which the hex view refuses an operation, and the
// fixed English texts it carries.
#pragma once

#include <stdexcept>
#include <string>

class EHexView : public std::runtime_error {
 public:
  explicit EHexView(const std::string& message) : std::runtime_error(message) {}
};

// The file errors of loading and saving (opening, read-only overwrite).
class EHVFileError : public std::runtime_error {
 public:
  explicit EHVFileError(const std::string& message) : std::runtime_error(message) {}
};

// Fixed texts (those with a placeholder have a formatting helper below).
inline constexpr const char* kHVCannotChangeFixedSize = "Cannot change fixed filesize";
inline constexpr const char* kHVCannotUpdateUndo = "Cannot update undo storage";
inline constexpr const char* kHVOutOfBounds = "Data position/length out of data bounds";
inline constexpr const char* kHVInvalidBytesPerLine = "Invalid bytes per line argument";
inline constexpr const char* kHVInvalidBytesPerColumn = "Invalid bytes per column argument";
inline constexpr const char* kHVOddSizeUnicode = "Cannot use unicode mode with odd-sized files";
inline constexpr const char* kHVUnicodeUnitTwo = "BytesPerUnit must be set to 2 in unicode mode";
inline constexpr const char* kHVNoTranslationInUnicode =
    "Translations cannot be used in unicode mode";
inline constexpr const char* kHVInvalidBookmarkBitmap =
    "Invalid bookmark bitmap (must be 10 x 200 px)";
inline constexpr const char* kHVInvalidSelStart = "Invalid selection start";
inline constexpr const char* kHVInvalidSelEnd = "Invalid selection end";
inline constexpr const char* kHVInvalidBookmarkIndex = "Invalid bookmark index";
inline constexpr const char* kHVSyncViewMismatch =
    "BytesPerRow, BytesPerColumn, BytesPerUnit and DataSize must be equal to synchronize view";
inline constexpr const char* kHVOperationCancelled = "Operation Cancelled";
inline constexpr const char* kHVNoFileName = "No Filename specified";
inline constexpr const char* kHVInvalidBufferFromFile = "Invalid buffer from file argument";
inline constexpr const char* kHVInvalidBookmarkFormat = "Invalid Bookmark Format";
inline constexpr const char* kHVInvalidPageIndex = "Invalid Page Index";
inline constexpr const char* kHVPrintingFailed = "Printing Failed";

// "Invalid bytes per unit value %d, allowed: 1,2,4,8"
std::string HVMsgInvalidBytesPerUnit(long long value);
// "Invalid ruler bytes per unit value %d, allowed: -1,1,2,4,8"
std::string HVMsgInvalidRulerBytesPerUnit(long long value);
// "Missing char in offset format: %s" ("number radix", ":" or "|")
std::string HVMsgMissingChar(const std::string& what);
// "Invalid radix in offset format (%xh), allowed: 02h..10h"
std::string HVMsgInvalidOffsetRadix(unsigned long long radix);
// "Invalid character %s, cannot convert using radix %xh"
std::string HVMsgInvalidCharForRadix(const std::string& ch, unsigned radix);
// Number conversions given a radix outside 2..16: "Invalid radix %xh, allowed: 02h..10h"
std::string HVMsgInvalidRadix(long long radix);
// "Cannot open %s.\r\n(%s.)" with the file name and the system's error text
std::string HVMsgCannotOpen(const std::string& name, const std::string& reason);
// "Cannot save readonly file %s."
std::string HVMsgCannotSaveReadOnly(const std::string& name);
// "Cannot delete previous backup %s. (%s)" / "Cannot create backup %s. (%s)"
std::string HVMsgCannotDeleteBackup(const std::string& name, const std::string& reason);
std::string HVMsgCannotCreateBackup(const std::string& name, const std::string& reason);
// A load of more bytes than the buffer holds (2 GiB - 1):
// "Cannot load %s bytes: the hex view holds at most 2147483647 bytes"
std::string HVMsgTooLarge(long long size);
