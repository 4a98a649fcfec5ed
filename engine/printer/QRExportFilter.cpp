#include "QRExportFilter.h"

#include <algorithm>

namespace {

std::vector<TQRExportFilter*>& Registered() {
  static std::vector<TQRExportFilter*> filters;
  return filters;
}

}  // namespace

const std::vector<TQRExportFilter*>& ExportFilters() { return Registered(); }

TQRExportFilterRegistration::TQRExportFilterRegistration(TQRExportFilter* filter)
    : filter_(filter) {
  if (filter_) Registered().push_back(filter_);
}

TQRExportFilterRegistration::~TQRExportFilterRegistration() {
  auto& filters = Registered();
  const auto found = std::find(filters.begin(), filters.end(), filter_);
  if (found != filters.end()) filters.erase(found);
}
