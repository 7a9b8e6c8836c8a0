#include "reports/CsvExport.h"

#include "platform/TextCodec.h"
#include "reports/CsvText.h"
#include "rules/AmountText.h"

namespace sorami {

void writeCsv(const CHinmeiList& list, ExportRange range, const CsvFormat& format,
              std::ostream& out) {
  const std::string delimiter = toUtf8(std::u16string_view(&format.delimiter, 1));
  const auto record = [&](std::initializer_list<std::string_view> fields) {
    std::string line;
    bool first = true;
    for (const std::string_view f : fields) {
      if (!first) line += delimiter;
      first = false;
      line += csvField(f, delimiter);
    }
    line += "\r\n";
    out << line;
  };
  record({toUtf8(kCsvDateTitle), "項目", "品名", "収入", "支出", "メモ", "口座・借入"});
  forEachExportLine(list, range, [&](const ExportLine& l) {
    const std::string amount = toUtf8(formatAmount(l.entry->amount, false, format.decimalPlaces));
    record({isoDate(l.entry->date), toUtf8(l.itemName), toUtf8(l.entry->name),
            l.income ? amount : "", l.income ? "" : amount, toUtf8(l.entry->visibleMemo()),
            toUtf8(l.account)});
  });
}

}  // namespace sorami
