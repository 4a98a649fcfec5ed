#include "PreparedPages.h"

TPreparedPages ReadPreparedPages(const QString& fileName) {
  TQRPageList list;
  list.AttachFile(fileName);
  TPreparedPages result;
  result.header = list.LoadedHeader();
  result.headerSize = list.HeaderSize();
  // The header's count is not trusted for the size of anything: pages are
  // gathered one by one and the first one that is missing fails the read.
  for (int n = 1; n <= list.PageCount(); ++n) {
    TPreparedPage page;
    page.record = list.RecordInfo(n);
    page.metafile = *list.ReadPage(n);
    result.pages.push_back(std::move(page));
  }
  return result;
}
