#include "import/resource_index.h"

#include <algorithm>

namespace gs {

void OrderGroups(std::vector<ResourceGroup>& groups) {
  using G = ResourceGroup;
  std::stable_partition(groups.begin(), groups.end(), [](const G& g) { return g.name.named; });
  const auto firstId =
      std::find_if(groups.begin(), groups.end(), [](const G& g) { return !g.name.named; });
  std::stable_sort(firstId, groups.end(),
                   [](const G& a, const G& b) { return a.name.id < b.name.id; });
}

void SortById(std::vector<ResourceIcon>& icons) {
  std::stable_sort(icons.begin(), icons.end(),
                   [](const ResourceIcon& a, const ResourceIcon& b) { return a.id < b.id; });
}

bool ReadBounded(ByteSource& src, std::uint64_t at, std::size_t n, std::vector<std::uint8_t>& out) {
  const std::uint64_t size = src.Size();
  if (at > size || n > size - at) {
    out.clear();
    return false;
  }
  out.resize(n);
  return src.ReadAt(at, n, out.data());
}

}  // namespace gs
