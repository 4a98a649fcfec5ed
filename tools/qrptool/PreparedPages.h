#pragma once
// A prepared report file opened read-only, with every page read and checked
// up front: a command that writes anything has by then met every error the
// file holds.

#include <QString>
#include <memory>
#include <vector>

#include "Metafile.h"
#include "TQRPageList.h"

struct TPreparedPage {
  TPageRecordInfo record;
  TMetafile metafile;
};

struct TPreparedPages {
  qrstore::TPreparedHeader header;
  int headerSize = 0;
  std::vector<TPreparedPage> pages;
};

// Throws the engine's errors: "Cannot open file ...", "Stream read error",
// "Metafile is not valid".
TPreparedPages ReadPreparedPages(const QString& fileName);
