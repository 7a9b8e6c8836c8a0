#include "ledger/Budget.h"

#include <string>

#include "archive/Archive.h"

namespace sorami {

void CBudget::serialize(Archive& ar) {
  if (ar.isStoring()) {
    write(ar);
  } else {
    read(ar);
  }
}

void CBudget::write(Archive& ar) const {
  ar.writeU16(kind);
  ar.writeU16(year);
  ar.writeU16(month);
  ar.writeU16(reserved);
  ar.writeCount(static_cast<uint32_t>(amounts.size()));
  for (const int32_t a : amounts) ar.writeI32(a);
}

void CBudget::read(Archive& ar) {
  kind = ar.readU16();
  year = ar.readU16();
  month = ar.readU16();
  reserved = ar.readU16();
  if (!isStandard() && (month < 1 || month > 12)) {
    ar.fail(ArchiveErrorKind::BadFormat, "budget month " + std::to_string(month));
  }
  const uint32_t count = ar.readCount();
  ar.requireElements(count, sizeof(int32_t));
  amounts.fill(0);
  for (uint32_t i = 0; i < count; ++i) {
    const int32_t a = ar.readI32();
    if (i < amounts.size()) amounts[i] = a;
  }
}

}  // namespace sorami
