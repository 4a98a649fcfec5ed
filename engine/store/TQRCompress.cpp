#include "TQRCompress.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "Errors.h"

namespace {
constexpr int kRoot = 0;
constexpr int kFirstLeaf = 256;
constexpr int kLastNode = 512;
// Codes up to this length are built in one word; deeper leaves (the tree can
// degenerate to depth 256) take the bit-by-bit path.
constexpr int kWordCode = 64;
// Bytes read from a decoder's source at a time.
constexpr std::size_t kSourceBlock = 65536;
}  // namespace

TQRCompress::TQRCompress(QByteArray& out) : compressing_(true), out_(&out), outUsed_(out.size()) {
  InitTree();
}

TQRCompress::TQRCompress(const unsigned char* data, std::size_t size)
    : compressing_(false), in_(data), inSize_(size) {
  InitTree();
}

TQRCompress::TQRCompress(TSource source)
    : compressing_(false), source_(std::move(source)), block_(kSourceBlock) {
  InitTree();
  in_ = block_.data();
}

TQRCompress::~TQRCompress() {
  if (compressing_ && !finished_) Finish();
}

void TQRCompress::InitTree() {
  // Node i's parent is (i - 1) div 2; odd nodes are left children.
  slot_[0] = 0;  // the root hangs nowhere
  for (int i = 1; i <= kLastNode; ++i) slot_[i] = i - 1;
  for (int j = 0; j < 256; ++j) {
    child_[2 * j] = 2 * j + 1;
    child_[2 * j + 1] = 2 * j + 2;
  }
}

// Each pass moves node a into the place of its parent's sibling u, and u
// into a's old place, then goes on from the grandparent.
void TQRCompress::Splay(int b) {
  int a = kFirstLeaf + b;
  for (;;) {
    const int aSlot = slot_[a];
    const int p = aSlot >> 1;
    if (p == kRoot) return;
    const int uSlot = slot_[p] ^ 1;  // p's sibling, under the grandparent
    const int u = child_[uSlot];
    child_[uSlot] = a;
    child_[aSlot] = u;
    slot_[a] = uSlot;
    slot_[u] = aSlot;
    a = uSlot >> 1;
    if (a == kRoot) return;
  }
}

void TQRCompress::PutBits(std::uint64_t code, int length) {
  bits_ |= code << bitCount_;  // bitCount_ is always below 64 here
  const int total = bitCount_ + length;
  if (total >= 64) {
    if (out_->size() - outUsed_ < 8) GrowOutput();
    char* w = out_->data() + outUsed_;
    for (int i = 0; i < 8; ++i) w[i] = static_cast<char>(bits_ >> (8 * i));
    outUsed_ += 8;
    const int used = 64 - bitCount_;
    bits_ = used < 64 ? code >> used : 0;
    bitCount_ = total - 64;
  } else {
    bitCount_ = total;
  }
}

void TQRCompress::GrowOutput() { out_->resize(std::max<qsizetype>(64, out_->size() * 2)); }

void TQRCompress::PutDeepCode(int leaf) {
  unsigned char notes[kLastNode];
  int n = 0;
  for (int node = leaf; node != kRoot; node = slot_[node] >> 1)
    notes[n++] = static_cast<unsigned char>(slot_[node] & 1);
  while (n > 0) PutBits(notes[--n], 1);
}

void TQRCompress::EncodeByte(std::uint8_t b) {
  const int leaf = kFirstLeaf + b;
  // Walking up from the leaf, each new note becomes the lowest bit, so the
  // root's child ends at bit 0 and is written first.
  std::uint64_t code = 0;
  int length = 0;
  for (int node = leaf; node != kRoot; ++length) {
    if (length == kWordCode) {
      PutDeepCode(leaf);
      Splay(b);
      return;
    }
    const int slot = slot_[node];
    code = (code << 1) | static_cast<std::uint64_t>(slot & 1);
    node = slot >> 1;
  }
  PutBits(code, length);
  Splay(b);
}

void TQRCompress::Encode(const unsigned char* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) EncodeByte(data[i]);
}

void TQRCompress::Finish() {
  if (finished_) return;
  finished_ = true;
  out_->resize(outUsed_);
  const int bytes = (bitCount_ + 7) / 8;
  for (int i = 0; i < bytes; ++i) out_->append(static_cast<char>(bits_ >> (8 * i)));
  bits_ = 0;
  bitCount_ = 0;
}

// Keeps the unread bytes of the block and reads the source behind them.
void TQRCompress::Pull() {
  const std::size_t left = inSize_ - inPos_;
  std::memmove(block_.data(), in_ + inPos_, left);
  pulled_ += inPos_;
  const std::size_t got = source_(block_.data() + left, block_.size() - left);
  in_ = block_.data();
  inPos_ = 0;
  inSize_ = left + got;
  sourceEnded_ = got == 0;
}

void TQRCompress::Refill() {
  if (inPos_ == inSize_ && source_ && !sourceEnded_) Pull();
  const std::size_t left = inSize_ - inPos_;
  if (left == 0) throw EReadError();
  const std::size_t n = left < 8 ? left : 8;
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(in_[inPos_ + i]) << (8 * i);
  inPos_ += n;
  bits_ = v;
  bitCount_ = static_cast<int>(8 * n);
}

std::uint8_t TQRCompress::DecodeByte() {
  // Top the bit buffer up to at least 57 bits whenever 8 input bytes are
  // left, so that the walk below needs no check per bit for any code up to
  // that length.
  if (inSize_ - inPos_ < 8 && source_ && !sourceEnded_) Pull();
  if (bitCount_ <= 56 && inSize_ - inPos_ >= 8) {
    std::uint64_t v;
    std::memcpy(&v, in_ + inPos_, 8);  // little-endian host assumed below
    static_assert(std::endian::native == std::endian::little);
    const int take = (63 - bitCount_) / 8;
    if (take < 8) v &= (std::uint64_t{1} << (8 * take)) - 1;
    bits_ |= v << bitCount_;
    bitCount_ += 8 * take;
    inPos_ += static_cast<std::size_t>(take);
  }
  if (bitCount_ < 57) return DecodeSlow();
  std::uint64_t bits = bits_;
  int used = 0;
  int node = kRoot;
  do {
    node = child_[2 * node + static_cast<int>(bits & 1u)];
    bits >>= 1;
    ++used;
  } while (node < kFirstLeaf && used < 57);
  if (node < kFirstLeaf) return DecodeSlow();  // deeper than one word: start again
  bits_ = bits;
  bitCount_ -= used;
  const int b = node - kFirstLeaf;
  Splay(b);
  return static_cast<std::uint8_t>(b);
}

std::uint8_t TQRCompress::DecodeSlow() {
  int node = kRoot;
  do {
    if (bitCount_ == 0) Refill();
    const int bit = static_cast<int>(bits_ & 1u);
    bits_ >>= 1;
    --bitCount_;
    node = child_[2 * node + bit];
  } while (node < kFirstLeaf);
  const int b = node - kFirstLeaf;
  Splay(b);
  return static_cast<std::uint8_t>(b);
}

void TQRCompress::Decode(unsigned char* out, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) out[i] = DecodeByte();
}

std::size_t TQRCompress::BytesConsumed() const {
  const std::size_t bitsUsed = (pulled_ + inPos_) * 8 - static_cast<std::size_t>(bitCount_);
  return (bitsUsed + 7) / 8;
}

QByteArray CompressBytes(const QByteArray& plain) {
  QByteArray out;
  out.reserve(plain.size() / 2 + 16);
  TQRCompress coder(out);
  coder.Encode(reinterpret_cast<const unsigned char*>(plain.constData()),
               static_cast<std::size_t>(plain.size()));
  coder.Finish();
  return out;
}

QByteArray ExpandBytes(const QByteArray& packed, std::size_t count, std::size_t* consumed) {
  QByteArray out(static_cast<qsizetype>(count), Qt::Uninitialized);
  TQRCompress coder(reinterpret_cast<const unsigned char*>(packed.constData()),
                    static_cast<std::size_t>(packed.size()));
  coder.Decode(reinterpret_cast<unsigned char*>(out.data()), count);
  if (consumed) *consumed = coder.BytesConsumed();
  return out;
}
