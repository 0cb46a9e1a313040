#include "base/NameOrder.h"

#include "base/CaseFold.h"

namespace tarvell {

int CompareNamesIgnoringCase(std::string_view a, std::string_view b) {
  if (const int folded = CompareFolded(a, b); folded != 0) return folded;
  // Bytes compare unsigned here (as memcmp does).
  const int bytes = a.compare(b);
  return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

}  // namespace tarvell
