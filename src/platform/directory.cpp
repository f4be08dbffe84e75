// The parts of the directory layer that are the same on every system: the order in which
// entries are listed and the matching of masks.
#include "platform/directory.h"

#include <algorithm>

#include "platform/codepage.h"

namespace vestrel {
namespace {

bool WildcardMatch(std::u16string_view name, std::u16string_view mask) {
  // Greedy matching with one backtracking point for the last "*".
  std::size_t n = 0;
  std::size_t m = 0;
  std::size_t starMask = std::u16string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == u'*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::u16string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

}  // namespace

bool ListsBefore(const Text& a, const Text& b) {
  std::u16string upperA = UpperCasedUtf16(a);
  std::u16string upperB = UpperCasedUtf16(b);
  if (upperA != upperB) return upperA < upperB;
  return CompareText(a, b) < 0;
}

void SortInListOrder(DirectoryListing& listing) {
  auto byListOrder = [](const DirectoryEntry& a, const DirectoryEntry& b) {
    return ListsBefore(a.name, b.name);
  };
  std::sort(listing.entries.begin(), listing.entries.end(), byListOrder);
  std::sort(listing.unsupported.begin(), listing.unsupported.end(), byListOrder);
}

bool MatchesMask(const Text& name, const Text& mask) {
  std::u16string upperName = UpperCasedUtf16(name);
  std::u16string upperMask = UpperCasedUtf16(mask);
  if (WildcardMatch(upperName, upperMask)) return true;
  std::u16string_view view = upperMask;
  return view.ends_with(u".*") && upperName.find(u'.') == std::u16string::npos &&
         WildcardMatch(upperName, view.substr(0, view.size() - 2));
}

}  // namespace vestrel
