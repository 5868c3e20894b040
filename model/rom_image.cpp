#include "model/rom_image.h"

std::array<Byte, kRomSize> CopyImage(const ImageStore& image) {
  std::array<Byte, kRomSize> bytes{};
  for (Integer i = 0; i < kRomSize; ++i) bytes[i] = image.GetDataAt(i);
  return bytes;
}

void StoreImage(ImageStore& image, const std::array<Byte, kRomSize>& bytes) {
  for (Integer i = 0; i < kRomSize; ++i) image.SetDataAt(i, bytes[i]);
}

namespace {

std::array<Byte, kRomSize> MakeDefaultImage() {
  std::array<Byte, kRomSize> b{};  // zero-filled: offset 27 and 0..9, 33..63 stay 0
  b[10] = 0;
  b[11] = 0;
  b[12] = 7;
  b[13] = 1;
  b[14] = 2;
  b[15] = 248;
  b[16] = 0;
  b[17] = 8;
  b[18] = 244;
  b[19] = 244;
  b[20] = 41;
  b[21] = 128;
  b[22] = 64;
  b[23] = 50;
  b[24] = 100;
  b[25] = 100;
  b[26] = 31;
  b[28] = 148;
  b[29] = 17;
  b[30] = 4;
  b[31] = 41;
  b[32] = 0;
  return b;
}

}  // namespace

const std::array<Byte, kRomSize>& DefaultImage() {
  static const std::array<Byte, kRomSize> image = MakeDefaultImage();
  return image;
}
