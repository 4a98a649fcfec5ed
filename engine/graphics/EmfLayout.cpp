#include "EmfLayout.h"

#include <algorithm>

#include "EmfDib.h"
#include "EmfRecords.h"

namespace emf {

namespace {

// Smallest size of the fixed-size records the player reads.
std::uint32_t MinimumSize(std::uint32_t type) {
  switch (type) {
    case kSetWindowExtEx:
    case kSetWindowOrgEx:
    case kSetViewportExtEx:
    case kSetViewportOrgEx:
    case kMoveToEx:
    case kLineTo:
    case 13 /* SETBRUSHORGEX */:
      return 16;
    case kSetMapMode:
    case kSetBkMode:
    case kSetPolyFillMode:
    case kSetRop2:
    case kSetStretchBltMode:
    case kSetTextAlign:
    case kSetTextColor:
    case kSetBkColor:
    case kRestoreDC:
    case kSelectObject:
    case kDeleteObject:
    case 58 /* SETMITERLIMIT */:
    case kSelectClipPath:
    case kSetArcDirection:
    case 48 /* SELECTPALETTE */:
    case kComment:
      return 12;
    case kExcludeClipRect:
    case kIntersectClipRect:
    case kScaleViewportExtEx:
    case kScaleWindowExtEx:
    case kEllipse:
    case kRectangle:
    case kFillPath:
    case kStrokeAndFillPath:
    case kStrokePath:
    case kCreateBrushIndirect:
      return 24;
    case kRoundRect:
    case kSetWorldTransform:
      return 32;
    case kModifyWorldTransform:
      return 36;
    case kCreatePen:
      return kCreatePenSize;
    case kExtSelectClipRgn:
      return 16;
    case kBitBlt:
      return kBitBltFixed;
    case kStretchBlt:
      return kStretchBltFixed;
    case kStretchDIBits:
      return kStretchDIBitsFixed;
    case kExtCreateFontIndirectW:
      return kLogFontEnd;
    case kExtCreatePen:
      return 52;
    case kEof:
      return kEofSize;
    default:
      return 8;
  }
}

bool PolySound(const TByteView& r, std::uint32_t pointSize) {
  if (r.Size() < 28) return false;
  const std::uint64_t count = r.U32(24);
  return r.Has(28, count * pointSize);
}

bool PolyPolySound(const TByteView& r, std::uint32_t pointSize) {
  if (r.Size() < 32) return false;
  const std::uint64_t polys = r.U32(24);
  const std::uint64_t points = r.U32(28);
  if (!r.Has(32, polys * 4)) return false;
  if (!r.Has(32 + polys * 4, points * pointSize)) return false;
  std::uint64_t sum = 0;
  for (std::uint64_t i = 0; i < polys; ++i) sum += r.U32(std::uint32_t(32 + 4 * i));
  return sum == points;
}

bool TextSound(std::uint32_t type, const TByteView& r) {
  if (r.Size() < 60) return false;
  const std::uint64_t chars = r.U32(44);
  const std::uint32_t offString = r.U32(48);
  const std::uint32_t options = r.U32(52);
  const bool hasRect = (options & kEtoNoRect) == 0;
  const std::uint32_t offDxAt = hasRect ? 72 : 56;
  if (r.Size() < offDxAt + 4) return false;
  if (chars == 0) return true;
  const std::uint64_t unit = type == kExtTextOutW ? 2 : 1;
  if (offString < 8 || !r.Has(offString, chars * unit)) return false;
  const std::uint32_t offDx = r.U32(offDxAt);
  const std::uint64_t dxPer = (options & kEtoPdy) ? 8 : 4;
  return offDx == 0 || (offDx >= 8 && r.Has(offDx, chars * dxPer));
}

bool ClipRegionSound(const TByteView& r) {
  const std::uint64_t cb = r.U32(8);
  if (!r.Has(16, cb)) return false;
  if (cb == 0) return true;
  if (cb < 32) return false;
  const std::uint64_t count = r.U32(24);
  return count * 16 <= cb - 32;
}

bool BlitSound(const TByteView& r, std::uint32_t at) {
  const std::uint32_t offBmi = r.U32(at), cbBmi = r.U32(at + 4);
  const std::uint32_t offBits = r.U32(at + 8), cbBits = r.U32(at + 12);
  if (cbBmi == 0 && cbBits == 0) return true;  // a pattern blit
  return DibIsSound(r, offBmi, cbBmi, offBits, cbBits);
}

bool HeaderSound(const TByteView& h, std::uint32_t fileBytes) {
  const std::uint32_t size = h.U32(4);
  if (size < kHeaderBaseSize || size % 4 != 0 || size > fileBytes) return false;
  if (h.U32(40) != kSignature) return false;
  const std::uint32_t nBytes = h.U32(48);
  // A file shorter than its own total was cut (Windows refuses it too); a
  // longer one carries trailing bytes that are never read.
  if (nBytes % 4 != 0 || nBytes < size || nBytes > fileBytes) return false;
  const std::uint64_t chars = h.U32(60);
  const std::uint32_t offDescription = h.U32(64);
  if (chars != 0 && (offDescription < kHeaderBaseSize ||
                     !TByteView(h.Data(), size).Has(offDescription, 2 * chars)))
    return false;
  return true;
}

}  // namespace

bool RecordIsSound(std::uint32_t type, const TByteView& r) {
  if (r.Size() < MinimumSize(type)) return false;
  if (const auto poly = PolyLayoutOf(type))
    return poly->several ? PolyPolySound(r, poly->pointSize) : PolySound(r, poly->pointSize);
  switch (type) {
    case kExtTextOutA:
    case kExtTextOutW:
      return TextSound(type, r);
    case kExtSelectClipRgn:
      return ClipRegionSound(r);
    case kComment:
      return r.Has(12, r.U32(8));
    case kStretchDIBits:
      return BlitSound(r, 48);
    case kBitBlt:
    case kStretchBlt:
      return BlitSound(r, 84);
    case kExtCreatePen: {
      if (!r.Has(52, std::uint64_t(r.U32(48)) * 4)) return false;
      const std::uint32_t cbBmi = r.U32(16), cbBits = r.U32(24);
      return (cbBmi == 0 || r.Has(r.U32(12), cbBmi)) && (cbBits == 0 || r.Has(r.U32(20), cbBits));
    }
    case kEof: {
      const std::uint64_t entries = r.U32(8);
      return entries == 0 || r.Has(r.U32(12), entries * 4);
    }
    default:
      return true;
  }
}

bool TEmfPrefixCheck::Accepts(const char* bytes, std::uint64_t size) {
  const TByteView file(bytes, std::uint32_t(std::min<std::uint64_t>(size, 0xFFFFFFFFu)));
  if (!headerRead_) {
    if (size < kHeaderBaseSize) return size < 4 || file.U32(0) == kHeader;
    const std::uint32_t headerSize = file.U32(4);
    const std::uint32_t nBytes = file.U32(48);
    if (file.U32(0) != kHeader || headerSize < kHeaderBaseSize || headerSize % 4 != 0 ||
        file.U32(40) != kSignature || nBytes % 4 != 0 || nBytes < headerSize || nBytes > total_)
      return false;
    total_ = nBytes;
    next_ = headerSize;
    headerRead_ = true;
  }
  while (!eofSeen_) {
    if (next_ + 8 > total_) return false;  // no room left for EOF
    if (next_ + 8 > size) return true;
    const std::uint32_t type = file.U32(std::uint32_t(next_));
    const std::uint32_t recordSize = file.U32(std::uint32_t(next_ + 4));
    if (recordSize < 8 || recordSize % 4 != 0 || next_ + recordSize > total_ || type == kHeader)
      return false;
    eofSeen_ = type == kEof;
    next_ += recordSize;
  }
  return true;  // what follows EOF up to the total is never read
}

bool ReadLayout(const QByteArray& bytes, TEmfLayout& layout) {
  if (bytes.size() < qsizetype(kHeaderBaseSize) || bytes.size() > 0x7FFFFFFF) return false;
  const std::uint32_t fileBytes = std::uint32_t(bytes.size());
  const TByteView file(bytes.constData(), fileBytes);
  if (file.U32(0) != kHeader || !HeaderSound(file, fileBytes)) return false;
  const std::uint32_t limit = file.U32(48);

  for (int i = 0; i < 4; ++i) {
    layout.bounds[i] = file.I32(8 + 4 * i);
    layout.frame[i] = file.I32(24 + 4 * i);
  }
  layout.handles = file.U16(56);
  layout.deviceCx = file.I32(72);
  layout.deviceCy = file.I32(76);
  layout.mmCx = file.I32(80);
  layout.mmCy = file.I32(84);
  layout.records.clear();

  std::uint32_t offset = 0;
  bool first = true;
  while (true) {
    if (std::uint64_t(offset) + 8 > limit) return false;  // ran out before EOF
    const std::uint32_t type = file.U32(offset);
    const std::uint32_t size = file.U32(offset + 4);
    if (size < 8 || size % 4 != 0 || std::uint64_t(offset) + size > limit) return false;
    if (type == kHeader && !first) return false;
    if (!first && !RecordIsSound(type, TByteView(bytes.constData() + offset, size))) return false;
    layout.records.push_back({offset, type, size});
    first = false;
    if (type == kEof) return true;
    offset += size;
  }
}

}  // namespace emf
