#pragma once
// The adaptive coder of compressed page payloads: a splay-tree prefix code
// over byte values. Every page starts from the same initial tree, so pages are
// independent; after each byte the tree is splayed towards that byte's leaf
// in both directions, which gives frequent bytes short codes.
//
// Bits fill each output byte from its lowest bit upwards. An encoder writes
// its last, partly filled byte when it finishes (high bits 0); a page whose
// bits end on a byte boundary has no extra byte.
//
// One instance codes one page, in one direction; it is never shared.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class TQRCompress {
 public:
  // Encoder appending to `out`.
  explicit TQRCompress(QByteArray& out);
  // Decoder over `size` bytes at `data` (not copied, must outlive it).
  TQRCompress(const unsigned char* data, std::size_t size);
  // Decoder that reads its input from `source` as it goes: each call fills
  // up to `capacity` bytes at `buffer` and returns how many (0 at the end).
  // Only what the decoded bytes need is read, a block at a time.
  using TSource = std::function<std::size_t(unsigned char* buffer, std::size_t capacity)>;
  explicit TQRCompress(TSource source);
  // An encoder writes its partial byte here unless Finish ran.
  ~TQRCompress();

  TQRCompress(const TQRCompress&) = delete;
  TQRCompress& operator=(const TQRCompress&) = delete;

  void EncodeByte(std::uint8_t b);
  void Encode(const unsigned char* data, std::size_t size);
  // Writes the last partial byte; further encoding is not allowed.
  void Finish();

  // Throws EReadError when the input ends inside a code.
  std::uint8_t DecodeByte();
  void Decode(unsigned char* out, std::size_t size);
  // Input bytes touched so far, the last partly read byte included.
  std::size_t BytesConsumed() const;

 private:
  void InitTree();
  void Splay(int b);
  void PutBits(std::uint64_t code, int length);
  void PutDeepCode(int leaf);
  void Refill();
  void Pull();
  std::uint8_t DecodeSlow();
  void GrowOutput();

  // child_[2 * j] is the left, child_[2 * j + 1] the right child of internal
  // node j (0 to 255); nodes 256 + b are the leaves of byte values, node 512
  // is a leaf no byte uses. slot_[i] is where node i hangs: the index into
  // child_ of its entry, so its parent is slot_[i] / 2 and it is a right
  // child when slot_[i] is odd. Encoding and splaying then need no search.
  // Word-sized entries: the hot loops load them without widening.
  std::int32_t child_[512];
  std::int32_t slot_[513];

  bool compressing_;
  QByteArray* out_ = nullptr;
  // Bytes of *out_ written so far; out_ is grown ahead and cut at Finish.
  qsizetype outUsed_ = 0;
  bool finished_ = false;
  const unsigned char* in_ = nullptr;
  std::size_t inSize_ = 0;
  std::size_t inPos_ = 0;
  // A decoder with a source reads into `block_`; `pulled_` counts the bytes
  // of earlier blocks already used.
  TSource source_;
  std::vector<unsigned char> block_;
  bool sourceEnded_ = false;
  std::size_t pulled_ = 0;
  // Bits not yet written (encoder) or not yet used (decoder), lowest first.
  std::uint64_t bits_ = 0;
  int bitCount_ = 0;
};

// Whole-buffer helpers over one coder instance.
QByteArray CompressBytes(const QByteArray& plain);
// Decodes `count` bytes; throws EReadError when `packed` runs out first.
// `consumed` receives the packed bytes used.
QByteArray ExpandBytes(const QByteArray& packed, std::size_t count,
                       std::size_t* consumed = nullptr);
