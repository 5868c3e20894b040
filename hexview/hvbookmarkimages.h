// The bookmark images of the gutter: twenty 10 x 10 images cut from a
// 200 x 10 strip, images 0..9 for bookmarks set in the hex field and 10..19
// for the same bookmarks set in the character field.
#pragma once

#include <QImage>
#include <memory>
#include <vector>

class TBitmap;

inline constexpr int kHVBookmarkImageSize = 10;
inline constexpr int kHVBookmarkImageCount = 20;

// The built-in strip: each image is the digit in black inside a black frame
// on a square that is half yellow and half silver (yellow on the left for
// the hex field, on the right for the character field); the four corner
// pixels are red, the strip's transparent colour.
std::unique_ptr<TBitmap> BuiltInBookmarkBitmap();

// Cuts a 200 x 10 strip into its twenty images; pixels of the strip's
// top-left colour become transparent. EHexView "Invalid bookmark bitmap
// (must be 10 x 200 px)" for a strip of another size.
std::vector<QImage> CutBookmarkImages(const TBitmap& strip);
