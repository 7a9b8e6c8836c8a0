#pragma once
// The ledger lines as comma-separated text for spreadsheets: date, item, product name, income,
// expense, visible memo and the account or loan of a transfer, one line each.

#include <ostream>
#include <string>

#include "reports/LedgerExport.h"

namespace sorami {

// The column titles of the first line, which an import recognises and passes over.
inline constexpr std::u16string_view kCsvDateTitle = u"日付";
inline constexpr size_t kCsvColumns = 7;

struct CsvFormat {
  char16_t delimiter = u',';
  int decimalPlaces = 0;
};

void writeCsv(const CHinmeiList& list, ExportRange range, const CsvFormat& format,
              std::ostream& out);

}  // namespace sorami
