#include "PreparedPages.h"

TPreparedPages ReadPreparedPages(const QString& fileName) {
  TQRPageList list;
  list.AttachFile(fileName);
  TPreparedPages result;
  result.header = list.LoadedHeader();
  result.headerSize = list.HeaderSize();
  // The count is that of the records the file holds; pages are still
  // gathered one by one, and the first one that cannot be read fails.
  for (int n = 1; n <= list.PageCount(); ++n) {
    TPreparedPage page;
    page.record = list.RecordInfo(n);
    page.metafile = *list.ReadPage(n);
    result.pages.push_back(std::move(page));
  }
  return result;
}
