// SHA-256 of a byte string, for the traceability log's block digests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest Sha256(const uint8_t* data, size_t size);

// The digest as 64 lower-case hex digits.
std::string Sha256Hex(const uint8_t* data, size_t size);
