#pragma once
// The first step of a statement's preview: its lines as the profile reads them, before items
// and duplicates.

#include <string_view>

#include "reports/StatementImport.h"

namespace sorami {

StatementPreview readStatementLines(std::string_view bytes, const StatementProfile& profile,
                                    int decimalPlaces);

}  // namespace sorami
