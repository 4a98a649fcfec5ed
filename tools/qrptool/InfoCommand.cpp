#include "InfoCommand.h"

#include "PreparedPages.h"

QString PreparedFileInfo(const QString& fileName) {
  const TPreparedPages file = ReadPreparedPages(fileName);
  const qrstore::TPreparedHeader& h = file.header;
  const QDateTime date = qrstore::DateTimeFromDays(h.date);
  QString text;
  text += QStringLiteral("header size: %1\n").arg(file.headerSize);
  text += QStringLiteral("format version: %1\n").arg(h.formatVersion);
  text += QStringLiteral("writer version: %1\n").arg(h.writerVersion);
  text += QStringLiteral("page count: %1\n").arg(h.pageCount);
  // The header only claims its count; these are the records the file holds.
  text += QStringLiteral("page records: %1\n").arg(file.pages.size());
  text += QStringLiteral("date: %1 (%2)\n")
              .arg(date.isValid() ? date.toString(Qt::ISODateWithMs) : QStringLiteral("invalid"))
              .arg(h.date, 0, 'f', 8);
  text += QStringLiteral("compression: %1\n").arg(h.compressed ? 1 : 0);
  for (const TPreparedPage& page : file.pages) {
    const TPageRecordInfo& r = page.record;
    text += QStringLiteral(
                "page %1: offset %2, forward %3, back %4, payload %5 bytes, metafile %6 bytes, "
                "%7 x %8 pixels\n")
                .arg(r.number)
                .arg(r.offset)
                .arg(r.forwardLink)
                .arg(r.backLink)
                .arg(r.payloadSize)
                .arg(r.metafileSize)
                .arg(page.metafile.Width())
                .arg(page.metafile.Height());
  }
  return text;
}
