// Character translations between the bytes in the buffer and the Windows
// (code page 1252) character set, per character and per buffer.
#pragma once

#include <array>
#include <string>

#include "hexview/hvtypes.h"

using THVTranslationTable = std::array<Byte, 256>;

// Display names in the order of THVTranslationKind.
extern const std::array<const char*, kHVTranslationKindCount> HVTranslationDesc;
extern const std::array<const char*, kHVTranslationKindCount> HVTranslationDescShort;
inline constexpr const char* kHVUnicodeDesc = "Unicode";
inline constexpr const char* kHVUnicodeDescShort = "UC";
inline constexpr const char* kHVUnicodeBigEndianDesc = "Unicode Big Endian";
inline constexpr const char* kHVUnicodeBigEndianDescShort = "UBE";

// Fixed tables: byte to Windows character.
const THVTranslationTable& HVMacToAnsiTable();
const THVTranslationTable& HVBcdToAnsiTable();
// OEM (code page 437) to ANSI (code page 1252) and back; characters without
// a counterpart become "?" (0x3F) in the other set.
const THVTranslationTable& HVOemToAnsiTable();
const THVTranslationTable& HVAnsiToOemTable();
// The custom translation's two tables (byte to Windows character and back),
// identity at start; a host may change them.
THVTranslationTable& HVCustomToAnsi();
THVTranslationTable& HVCustomFromAnsi();

// One byte to its Windows character for display: a result below 32 (and
// under tkASCII every byte from 128) gives maskChar, unless maskChar is 0.
Byte TranslateToAnsiChar(THVTranslationKind kind, Byte value, Byte maskChar);
// One Windows character to its byte for typing and search; -1 when the
// character gives no byte (a result below 32; under tkDos8 and tkASCII the
// characters 0..31, under tkASCII also 128..255).
int TranslateFromAnsiChar(THVTranslationKind kind, Byte ch);

// Whole buffers, no mask character; tkAsIs copies. source and dest may be
// the same block.
void TranslateBufferToAnsi(THVTranslationKind kind, const Byte* source, Byte* dest, Integer count);
void TranslateBufferFromAnsi(THVTranslationKind kind, const Byte* source, Byte* dest,
                             Integer count);

// The Unicode code point of a Windows (code page 1252) character, for
// drawing; the five unassigned positions give U+FFFD.
char32_t Cp1252ToUnicode(Byte ch);
