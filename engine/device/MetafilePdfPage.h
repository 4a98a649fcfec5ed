#pragma once
// A stored page written into a PDF document: paper of the page's own size
// (its picture frame at the screen's resolution, as the page store records
// it), the page's records as vectors and its text as text.

class TMetafile;
class TPdfDocument;

void AddMetafilePage(TPdfDocument& document, const TMetafile& page);
