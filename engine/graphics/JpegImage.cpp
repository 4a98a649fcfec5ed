#include "JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h expects size_t and FILE to be declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "Errors.h"

namespace {

// Largest picture decoded: 64 Mi pixels (192 MiB of RGB).
constexpr std::uint64_t kMaxJpegPixels = std::uint64_t(1) << 26;

// libjpeg reports fatal errors through error_exit, which must not return; it
// is C code, so no exception may pass through it: jump back to the decoder
// instead. A warning about data ending early is fatal too: a truncated file
// would otherwise decode into a grey lower part without a word.
struct TJpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void FailDecoding(j_common_ptr info) {
  auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  if (level == -1 && info->err->msg_code == JWRN_JPEG_EOF) FailDecoding(info);
  // Other warnings (extraneous bytes, unknown markers) leave a usable picture.
  if (level < 0) ++info->err->num_warnings;
}

// Decodes into `out` (RGB888). Returns an empty string on success, else the
// reason. No C++ object with a destructor lives inside the jump's reach.
QString Decode(const QByteArray& bytes, QImage* out) {
  jpeg_decompress_struct info;
  TJpegErrors errors;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = FailDecoding;
  errors.manager.emit_message = OnMessage;
  errors.message[0] = '\0';
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_decompress(&info);
    *out = QImage();
    return QString::fromLatin1(errors.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.scale_num = 1;
  info.scale_denom = 1;
  info.out_color_space = JCS_RGB;
  info.do_block_smoothing = TRUE;
  jpeg_start_decompress(&info);
  if (info.output_components != 3 ||
      std::uint64_t(info.output_width) * info.output_height > kMaxJpegPixels) {
    std::strcpy(errors.message, "picture too large");
    jpeg_destroy_decompress(&info);
    return QString::fromLatin1(errors.message);
  }
  *out = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
  if (out->isNull()) {
    jpeg_destroy_decompress(&info);
    return QStringLiteral("out of memory");
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out->scanLine(int(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return {};
}

}  // namespace

bool IsJpegData(const QByteArray& bytes) {
  return bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8 &&
         static_cast<unsigned char>(bytes[2]) == 0xFF;
}

TJPEGImage TJPEGImage::FromBytes(const QByteArray& bytes) {
  if (!IsJpegData(bytes))
    throw EInvalidGraphic(QStringLiteral("JPEG image is not valid: not a JPEG file"));
  TJPEGImage image;
  const QString reason = Decode(bytes, &image.bits_);
  if (!reason.isEmpty() || image.bits_.isNull())
    throw EInvalidGraphic(QStringLiteral("JPEG image is not valid: %1").arg(reason));
  image.bytes_ = bytes;
  return image;
}

void TJPEGImage::Draw(TCanvas& canvas, const QRect& dest) const {
  if (Empty()) return;
  canvas.StretchBitmap(dest, bits_);
}
