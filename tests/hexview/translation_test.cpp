// Character translations in both directions.
#include <gtest/gtest.h>

#include <set>

#include "hexview/hvtranslation.h"

namespace {

constexpr Byte kMask = '.';

TEST(HexDataTranslation, FixedTablesArePermutations) {
  for (const THVTranslationTable* t : {&HVMacToAnsiTable(), &HVBcdToAnsiTable()}) {
    std::set<Byte> seen(t->begin(), t->end());
    EXPECT_EQ(seen.size(), 256u);
  }
}

TEST(HexDataTranslation, TableSpotValues) {
  const THVTranslationTable& mac = HVMacToAnsiTable();
  EXPECT_EQ(mac[0x41], 0x41);
  EXPECT_EQ(mac[0x80], 0xC4);
  EXPECT_EQ(mac[0x8F], 0xE8);
  EXPECT_EQ(mac[0xA5], 0xB4);
  EXPECT_EQ(mac[0xCA], 0xBE);
  EXPECT_EQ(mac[0xFF], 0xAF);
  const THVTranslationTable& bcd = HVBcdToAnsiTable();
  EXPECT_EQ(bcd[0x04], 0xF7);
  EXPECT_EQ(bcd[0x40], ' ');
  EXPECT_EQ(bcd[0x4B], '.');
  EXPECT_EQ(bcd[0x81], 'a');
  EXPECT_EQ(bcd[0xC1], 'A');
  EXPECT_EQ(bcd[0xE0], '\\');
  EXPECT_EQ(bcd[0xF9], '9');
  EXPECT_EQ(bcd[0xFF], 0xFF);
}

TEST(HexDataTranslation, BufferRoundTripsAreExact) {
  Byte all[256], there[256], back[256];
  for (int i = 0; i < 256; ++i) all[i] = static_cast<Byte>(i);
  for (THVTranslationKind k : {tkAsIs, tkMac, tkBCD, tkCustom}) {
    TranslateBufferToAnsi(k, all, there, 256);
    TranslateBufferFromAnsi(k, there, back, 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(back[i], i) << "kind " << k << " byte " << i;
    TranslateBufferFromAnsi(k, all, there, 256);
    TranslateBufferToAnsi(k, there, back, 256);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(back[i], i) << "kind " << k << " char " << i;
  }
}

TEST(HexDataTranslation, DosRoundTripsWhereBothSetsHaveTheCharacter) {
  for (int c = 32; c < 256; ++c) {
    const Byte oem = HVAnsiToOemTable()[c];
    if (oem == '?' && c != '?') continue;
    EXPECT_EQ(HVOemToAnsiTable()[oem], c) << c;
  }
  EXPECT_EQ(HVOemToAnsiTable()[0x82], 0xE9);  // e acute
  EXPECT_EQ(HVAnsiToOemTable()[0xE9], 0x82);
}

TEST(HexDataTranslation, DisplayCharacters) {
  EXPECT_EQ(TranslateToAnsiChar(tkBCD, 0xC1, kMask), 'A');
  EXPECT_EQ(TranslateToAnsiChar(tkBCD, 0x40, kMask), ' ');
  EXPECT_EQ(TranslateToAnsiChar(tkBCD, 0x00, kMask), kMask);  // below 32
  EXPECT_EQ(TranslateToAnsiChar(tkBCD, 0x00, 0), 0x00);       // no mask character
  for (int b = 128; b < 256; ++b)
    ASSERT_EQ(TranslateToAnsiChar(tkASCII, static_cast<Byte>(b), kMask), kMask) << b;
  EXPECT_EQ(TranslateToAnsiChar(tkASCII, 'z', kMask), 'z');
  EXPECT_EQ(TranslateToAnsiChar(tkAsIs, 0x1F, kMask), kMask);
  EXPECT_EQ(TranslateToAnsiChar(tkAsIs, 0xE9, kMask), 0xE9);
  EXPECT_EQ(TranslateToAnsiChar(tkMac, 0x8E, kMask), 0xE9);
  EXPECT_EQ(TranslateToAnsiChar(tkDos8, 0x82, kMask), 0xE9);
}

TEST(HexDataTranslation, TypedCharacters) {
  EXPECT_EQ(TranslateFromAnsiChar(tkBCD, 'A'), 0xC1);
  EXPECT_EQ(TranslateFromAnsiChar(tkBCD, '0'), 0xF0);
  EXPECT_EQ(TranslateFromAnsiChar(tkMac, 0xE9), 0x8E);
  EXPECT_EQ(TranslateFromAnsiChar(tkAsIs, 0x07), -1);
  EXPECT_EQ(TranslateFromAnsiChar(tkDos8, 0x0A), -1);
  EXPECT_EQ(TranslateFromAnsiChar(tkDos8, 0xE9), 0x82);
  EXPECT_EQ(TranslateFromAnsiChar(tkASCII, 0xE9), -1);
  EXPECT_EQ(TranslateFromAnsiChar(tkASCII, 'q'), 'q');
  // A character whose byte lies below 32 gives no byte.
  EXPECT_EQ(TranslateFromAnsiChar(tkBCD, 0xF7), -1);
}

TEST(HexDataTranslation, CustomTablesAreUsedAndIdentityAtStart) {
  EXPECT_EQ(TranslateToAnsiChar(tkCustom, 'x', kMask), 'x');
  HVCustomToAnsi()['x'] = 'y';
  HVCustomFromAnsi()['y'] = 'x';
  EXPECT_EQ(TranslateToAnsiChar(tkCustom, 'x', kMask), 'y');
  EXPECT_EQ(TranslateFromAnsiChar(tkCustom, 'y'), 'x');
  HVCustomToAnsi()['x'] = 'x';
  HVCustomFromAnsi()['y'] = 'y';
}

}  // namespace
