// Number text functions: unsigned numbers in radix 2..16 and back.
#pragma once

#include <string>

#include "hexview/hvtypes.h"

// Digits from "0123456789ABCDEF"; the value is taken as unsigned. A radix
// outside 2..16 raises EHexView.
std::string IntToRadix(Integer value, Integer radix);
// As IntToRadix, padded on the left with "0" to at least minLength digits.
std::string IntToRadixLen(Integer value, Integer radix, Integer minLength);
std::string IntToRadix64(Int64 value, Integer radix);
std::string IntToRadixLen64(Int64 value, Integer radix, Integer minLength);
std::string IntToOctal(Integer value);

// Case-insensitive; every character must be a digit below the radix, else
// EHexView "Invalid character %s, cannot convert using radix %xh". Results
// wrap like 32-/64-bit unsigned arithmetic. An empty text gives 0.
Integer RadixToInt(const std::string& text, Integer radix);
Int64 RadixToInt64(const std::string& text, Integer radix);
Integer OctalToInt(const std::string& text);

// Reads a number whose notation picks the radix: leading "0x" or "$" or a
// trailing "H" hexadecimal, leading or trailing "O" octal, leading or
// trailing "%" binary, anything else decimal (letters in any case).
Integer CheckRadixToInt(const std::string& text);
Int64 CheckRadixToInt64(const std::string& text);
