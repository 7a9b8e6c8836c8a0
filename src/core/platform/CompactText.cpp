#include "platform/CompactText.h"

namespace sorami {

void CompactText::place(std::u16string_view text) {
  std::copy(text.begin(), text.end(), overwrite(text.size()));
}

}  // namespace sorami
