#include "JpegFile.h"

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A minimal little-endian Exif block: one IFD with the Software entry.
QByteArray ExifSegment(const QByteArray& software) {
  QByteArray text = software;
  text.append('\0');
  QByteArray out("Exif\0\0", 6);
  const auto put16 = [&out](unsigned v) {
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
  };
  const auto put32 = [&out](unsigned v) {
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
  };
  out.append("II", 2);  // TIFF header, offsets from here
  put16(42);
  put32(8);               // first IFD
  put16(1);               // one entry
  put16(0x0131);          // Software
  put16(2);               // ASCII
  put32(text.size());     // count with the NUL
  put32(8 + 2 + 12 + 4);  // value right after the IFD
  put32(0);               // no next IFD
  out.append(text);
  return out;
}

QByteArray Encode(const QImage& source, const JpegSettings& settings, const QByteArray& comment) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = image.width();
  cinfo.image_height = image.height();
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);  // YCbCr, 2 x 2 luminance, baseline Huffman
  jpeg_set_quality(&cinfo, settings.quality, TRUE);
  cinfo.write_JFIF_header = TRUE;
  cinfo.JFIF_major_version = 1;
  cinfo.JFIF_minor_version = 1;
  cinfo.density_unit = 1;  // dots per inch
  cinfo.X_density = settings.dotsPerInch;
  cinfo.Y_density = settings.dotsPerInch;
  cinfo.comp_info[0].h_samp_factor = 2;
  cinfo.comp_info[0].v_samp_factor = 2;
  jpeg_start_compress(&cinfo, TRUE);
  const QByteArray exif = ExifSegment(settings.software.toLatin1());
  jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.constData()),
                    exif.size());
  if (!comment.isEmpty())
    jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(comment.constData()),
                      comment.size());
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
  std::free(buffer);
  return out;
}

}  // namespace

QByteArray Jpeg(const QImage& image, const JpegSettings& settings) {
  QByteArray comment = settings.comment.toLatin1();
  QByteArray bytes = Encode(image, settings, comment);
  // The compressed data does not depend on the comment, so one more pass
  // with the comment grown by the difference lands on the size exactly.
  const qsizetype missing = settings.fileSize - bytes.size();
  if (missing > 0 && comment.size() + missing <= 65533) {
    comment.append(QByteArray(missing, ' '));
    bytes = Encode(image, settings, comment);
  }
  return bytes;
}
