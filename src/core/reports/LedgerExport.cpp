#include "reports/LedgerExport.h"

#include <array>

#include "config/Config.h"

namespace sorami {

void forEachExportLine(const CHinmeiList& list, ExportRange range,
                       const std::function<void(const ExportLine&)>& visit) {
  // Item names by number, looked up once rather than for each of a million lines.
  std::array<const CHinmei*, kMaxItems> items{};
  for (int i = 0; i < list.itemCount(); ++i) {
    const CHinmei* def = list.itemAt(i);
    if (def != nullptr && def->item < kMaxItems) items[def->item] = def;
  }
  for (const CHinmei& e : list) {
    if (e.isDefinition() || e.isDiary() || e.isEndMarker()) continue;
    if ((e.flags & EF_DIRECTION_MASK) == 0 || !range.contains(e.date)) continue;
    ExportLine line;
    line.entry = &e;
    const CHinmei* item = e.item < kMaxItems ? items[e.item] : list.itemByNumber(e.item);
    if (item != nullptr) line.itemName = item->name;
    if (e.isTransfer()) line.account = e.name;
    line.income = (e.flags & EF_INCOME) != 0;
    visit(line);
  }
}

char16_t textOutputDelimiter(const CConfig& config) {
  switch (config.textOutputDelimiter) {
    case 1:
      return u'\t';
    case 2:
      return u' ';
    case 3:
      // A character that would make every line unreadable falls back to the comma.
      if (config.otherDelimiter > 0 && config.otherDelimiter < 0xFFFF &&
          config.otherDelimiter != '"' && config.otherDelimiter != '\r' &&
          config.otherDelimiter != '\n') {
        return static_cast<char16_t>(config.otherDelimiter);
      }
      return u',';
    default:
      return u',';
  }
}

}  // namespace sorami
