#include "model/image_codec.h"

#include <cmath>

namespace {

// Offsets 12..19 and 21..26 hold one plain byte each (DB is inverted).
struct ByteSlot {
  Integer offset;
  ParamId id;
};

const ByteSlot kByteSlots[] = {{12, piCLK}, {13, piOSC}, {14, piCH},  {15, piDB},   {16, piST},
                               {17, piBT},  {18, piMDL}, {19, piMDR}, {21, piP1MD}, {22, piP2MD},
                               {23, piP1T}, {24, piP2T}, {25, piP3T}, {26, piDZ}};

constexpr Integer kFlags0 = 10;
constexpr Integer kFlags1 = 11;
constexpr Integer kPminLow = 28;
constexpr Integer kPmaxLow = 30;
constexpr Integer kPmid = 32;
constexpr Byte kBitLppmp = 0x04;
constexpr Byte kBitHfd = 0x08;
constexpr Byte kBitInvc = 0x40;
constexpr Byte kNeverSetMask = 0xEC;  // clears bits 0, 1 and 4 of byte 10
constexpr Integer kFirstOverloadItem = 5;

// The value clamped into its range and truncated toward zero.
Integer TruncatedValue(const ParameterSet& params, ParamId id, long double factor = 1) {
  const ParamDescriptor& d = DescriptorOf(id);
  long double v = ClampValue(params.Value(id), d.min, d.max);
  return static_cast<Integer>(std::trunc(v * factor));
}

Byte Low8(Integer n) {
  return static_cast<Byte>(n & 0xFF);
}

Byte EncodeFlags0(const ParameterSet& params) {
  Integer sum = 0;
  for (Integer i = 0; i < kFunregCount; ++i) {
    if (params.FUNREG[i].checked) sum += 1 << i;
  }
  Byte b = Low8(sum);
  b = params.HFD ? (b | kBitHfd) : (b & ~kBitHfd);
  b = params.nvchckbxLPPMP ? (b | kBitLppmp) : (b & ~kBitLppmp);
  return b & kNeverSetMask;
}

void EncodePulse(const ParameterSet& params, ParamId id, Integer lowOffset, ImageStore& image) {
  Integer n = TruncatedValue(params, id, 5);
  image.SetDataAt(lowOffset, Low8(n));
  image.SetDataAt(lowOffset + 1, Low8(n >> 8));
}

void DecodeFlags(const ImageStore& image, ParameterSet& params) {
  Byte b10 = image.GetDataAt(kFlags0);
  Byte b11 = image.GetDataAt(kFlags1);
  Integer w = b11 * 256 + b10;
  for (Integer i = 0; i < kFunregCount; ++i) params.FUNREG[i].checked = ((w >> i) & 1) != 0;
  for (Integer i = kFunreg1Count - 1; i >= 0; --i) {
    params.FUNREG1[i] = ((b10 >> (kFirstOverloadItem + i)) & 1) != 0;
  }
  params.HFD = (b10 & kBitHfd) != 0;
  params.nvchckbxLPPMP = (b10 & kBitLppmp) != 0;
  params.nvchckbxINVC = (b11 & kBitInvc) != 0;
}

long double DecodePulse(const ImageStore& image, Integer lowOffset) {
  Integer n = image.GetDataAt(lowOffset + 1) * 256 + image.GetDataAt(lowOffset);
  return n / 5;
}

}  // namespace

void EncodeImage(const ParameterSet& params, ImageStore& image) {
  image.SetDataAt(kFlags0, EncodeFlags0(params));
  image.SetDataAt(kFlags1, params.nvchckbxINVC ? kBitInvc : 0);
  for (const ByteSlot& slot : kByteSlots) {
    Integer n = TruncatedValue(params, slot.id);
    if (slot.id == piDB) n = 255 - n;
    image.SetDataAt(slot.offset, Low8(n));
  }
  EncodePulse(params, piedtPMINL, kPminLow, image);
  EncodePulse(params, piedtPMAXL, kPmaxLow, image);
  image.SetDataAt(kPmid, Low8(TruncatedValue(params, piedtPMID)));
  image.RequestRepaint();
}

void DecodeImage(const ImageStore& image, ParameterSet& params) {
  DecodeFlags(image, params);
  for (const ByteSlot& slot : kByteSlots) {
    Byte b = image.GetDataAt(slot.offset);
    params.SetValue(slot.id, slot.id == piDB ? 255 - b : b);
  }
  params.SetValue(piedtPMINL, DecodePulse(image, kPminLow));
  params.SetValue(piedtPMAXL, DecodePulse(image, kPmaxLow));
  params.SetValue(piedtPMID, static_cast<int8_t>(image.GetDataAt(kPmid)));
}

ParameterSet DecodeImage(const ImageStore& image) {
  ParameterSet params;
  DecodeImage(image, params);
  return params;
}

void ApplyFlagLinks(ParameterSet& params, ParamId source) {
  if (source == piFUNREG1) {
    for (Integer i = 0; i < kFunreg1Count; ++i) {
      params.FUNREG[kFirstOverloadItem + i].checked = params.FUNREG1[i];
    }
  }
  if (source == piFUNREG) {
    for (Integer i = 0; i < kFunreg1Count; ++i) {
      params.FUNREG1[i] = params.FUNREG[kFirstOverloadItem + i].checked;
    }
    params.HFD = params.FUNREG[3].checked;
    params.nvchckbxLPPMP = params.FUNREG[2].checked;
  }
  params.FUNREG[2].checked = params.nvchckbxLPPMP;
  params.FUNREG[3].checked = params.HFD;
}

void LinkFlags(ParameterSet& params, ParamId source, ImageStore& image) {
  ApplyFlagLinks(params, source);
  EncodeImage(params, image);
}
