// The 64-byte configuration block and the ways to reach it by index.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

using Byte = uint8_t;
using Integer = int32_t;

inline constexpr Integer kRomSize = 64;

// Byte access to the configuration image. In the window the image is the
// hex view's own data buffer; headless code uses RomImage below. Writes go
// straight into the buffer: no change marks, no undo, no repaint.
class ImageStore {
 public:
  virtual ~ImageStore() = default;
  virtual Byte GetDataAt(Integer offset) const = 0;
  virtual void SetDataAt(Integer offset, Byte value) = 0;
  // Gives the image its 64 bytes, all 0.
  virtual void SizeToZeroFilled() = 0;
  // Asks whatever shows the image to paint it again.
  virtual void RequestRepaint() = 0;
};

// A plain 64-byte image. The repaint request goes to OnRepaint when one is
// assigned, otherwise nowhere.
class RomImage : public ImageStore {
 public:
  RomImage() { bytes_.fill(0); }
  explicit RomImage(const std::array<Byte, kRomSize>& bytes) : bytes_(bytes) {}

  Byte GetDataAt(Integer offset) const override { return bytes_.at(offset); }
  void SetDataAt(Integer offset, Byte value) override { bytes_.at(offset) = value; }
  void SizeToZeroFilled() override { bytes_.fill(0); }
  void RequestRepaint() override {
    if (OnRepaint) OnRepaint();
  }

  const std::array<Byte, kRomSize>& Bytes() const { return bytes_; }
  std::function<void()> OnRepaint;

 private:
  std::array<Byte, kRomSize> bytes_;
};

// Copies all 64 bytes between two stores.
std::array<Byte, kRomSize> CopyImage(const ImageStore& image);
void StoreImage(ImageStore& image, const std::array<Byte, kRomSize>& bytes);

// The image the program starts with.
const std::array<Byte, kRomSize>& DefaultImage();

// Offsets in the image that carry no parameter but are set by a write.
inline constexpr Integer kForcedOffset20 = 20;
inline constexpr Byte kForcedValue20 = 41;
inline constexpr Integer kForcedOffset12 = 12;
inline constexpr Byte kForcedValue12 = 7;
