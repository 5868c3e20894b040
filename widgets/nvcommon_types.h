// The widget set's shared vocabulary: frame styles, sides, gradient
// directions, visual styles and button states, with the Office-look colour
// constants. Ordinals are part of the contract (stored form values use them).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "framework/colors.h"

enum TFrameStyleEx : uint8_t {
  fsNone,
  fsFlat,
  fsGroove,
  fsBump,
  fsLowered,
  fsButtonDown,
  fsRaised,
  fsButtonUp,
  fsStatus,
  fsPopup,
  fsFlatBold,
  fsFlatRounded
};
// The subrange fsNone..fsFlatBold (fsFlatRounded excluded).
using TFrameStyle = TFrameStyleEx;
constexpr int FrameStyleCount = 11;

// One side of a rectangle; TSides is a set of them stored as a byte with the
// bits 1 (left), 2 (top), 4 (right) and 8 (bottom).
enum TSide : uint8_t { sdLeft, sdTop, sdRight, sdBottom };
using TSides = uint8_t;
constexpr TSides SideBit(TSide s) {
  return static_cast<TSides>(1u << s);
}
constexpr bool HasSide(TSides sides, TSide s) {
  return (sides & SideBit(s)) != 0;
}
constexpr TSides NoSides = 0;
constexpr TSides AllSides = 0x0F;
// Builds a set: MakeSides({sdLeft, sdTop}).
constexpr TSides MakeSides(std::initializer_list<TSide> list) {
  TSides r = 0;
  for (TSide s : list) r = static_cast<TSides>(r | SideBit(s));
  return r;
}

enum TGradientDirection : uint8_t {
  gdDiagonalUp,
  gdDiagonalDown,
  gdHorizontalEnd,
  gdHorizontalCenter,
  gdHorizontalBox,
  gdVerticalEnd,
  gdVerticalCenter,
  gdVerticalBox,
  gdSquareBox,
  gdBigSquareBox
};

enum TNvVisualStyle : uint8_t { vsClassic, vsWinXP, vsGradient };
enum TNvGradientColorStyle : uint8_t { gcsSystem, gcsMSOffice, gcsCustom };
enum TNvXPColorScheme : uint8_t { xpcsBlue, xpcsGreen, xpcsSilver };
enum TNvXPThemeColor : uint8_t {
  xptcEditBorder,
  xptcNormalGroupFont,
  xptcSpecialGroupFont,
  xptcGroupBarFill,
  xptcListGroupFill,
  xptcListGroupFont,
  xptcGroupBoxFont
};
enum TNvButtonDisplayState : uint8_t { bdsNormal, bdsDown, bdsHot, bdsDisabled };
enum TNvButtonHotTrackStyle : uint8_t { htsInterior, htsFrame };
enum TTextStyle : uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TFramingPreference : uint8_t { fpCustomFraming, fpXPThemes };
enum TOrientation : uint8_t { orHorizontal, orVertical };
enum TDirection : uint8_t { dirUp, dirDown, dirLeft, dirRight };
enum TNvGroupBarGradientPath : uint8_t { gpTopToBottom, gpBottomToTop };
// Vertical placement of a caption or glyph (buttons, check boxes, panels).
enum TNvAlignmentVertical : uint8_t { avTop, avCenter, avBottom };

// Office-look colours per XP colour scheme (0x00BBGGRR).
constexpr TColor xpOfficeBlue_Selection_FrameColor = 0x800000;
constexpr TColor xpOfficeBlue_Selection_ColorStart = 0xC2EEFF;
constexpr TColor xpOfficeBlue_Selection_ColorStop = 0xA0D9FF;
constexpr TColor xpOfficeBlue_Panel_ColorStart = 0xFFEFE3;
constexpr TColor xpOfficeBlue_Panel_ColorStop = 0xEABB99;
constexpr TColor xpOfficeBlue_Panel_FrameColor = 0xBF7F57;
constexpr TColor xpOfficeBlue_GroupBar_ColorStart = 0xE7A27B;
constexpr TColor xpOfficeBlue_GroupBar_ColorStop = 0xD67563;

constexpr TColor xpOfficeGreen_Selection_FrameColor = 0x385D3F;
constexpr TColor xpOfficeGreen_Selection_ColorStart = 0xC2EEFF;
constexpr TColor xpOfficeGreen_Selection_ColorStop = 0xA0D9FF;
constexpr TColor xpOfficeGreen_Panel_ColorStart = 0xEDFFFF;
constexpr TColor xpOfficeGreen_Panel_ColorStop = 0x92C7B8;
constexpr TColor xpOfficeGreen_Panel_FrameColor = 0x77A17F;
constexpr TColor xpOfficeGreen_GroupBar_ColorStart = 0xADD9CC;
constexpr TColor xpOfficeGreen_GroupBar_ColorStop = 0x84BDA5;

constexpr TColor xpOfficeSilver_Selection_FrameColor = 0x6F4B4B;
constexpr TColor xpOfficeSilver_Selection_ColorStart = 0xC2EEFF;
constexpr TColor xpOfficeSilver_Selection_ColorStop = 0xA0D9FF;
constexpr TColor xpOfficeSilver_Panel_ColorStart = 0xFFF9F9;
constexpr TColor xpOfficeSilver_Panel_ColorStop = 0xD0BCBD;
constexpr TColor xpOfficeSilver_Panel_FrameColor = 0xB19F9F;
constexpr TColor xpOfficeSilver_GroupBar_ColorStart = 0xD4C8C4;
constexpr TColor xpOfficeSilver_GroupBar_ColorStop = 0xC8B3B1;
