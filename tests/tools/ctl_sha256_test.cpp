// SHA-256 against the standard's test vectors and the lengths around the
// padding's block boundary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/sha256.h"

namespace {

std::string HexOf(const std::string& text) {
  return Sha256Hex(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

std::string HexOfCounting(size_t n) {  // bytes 0, 1, 2, ... n-1
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i);
  return Sha256Hex(bytes.data(), bytes.size());
}

TEST(Sha256, KnownAnswers) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {std::string(64, '\0'), "f5a5fd42d16a20302798ef6ed309979b43003d2320d9f0e8ea9831a92759fb4b"},
  };
  for (const auto& [text, digest] : cases) EXPECT_EQ(HexOf(text), digest) << text.size();
}

TEST(Sha256, LengthsAroundTheLastBlock) {
  const std::pair<size_t, const char*> cases[] = {
      {55, "463eb28e72f82e0a96c0a4cc53690c571281131f672aa229e0d45ae59b598b59"},
      {56, "da2ae4d6b36748f2a318f23e7ab1dfdf45acdc9d049bd80e59de82a60895f562"},
      {63, "29af2686fd53374a36b0846694cc342177e428d1647515f078784d69cdb9e488"},
  };
  for (const auto& [n, digest] : cases) EXPECT_EQ(HexOfCounting(n), digest) << n;
}

}  // namespace
