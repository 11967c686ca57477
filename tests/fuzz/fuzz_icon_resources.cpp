// libFuzzer targets for the icon-resource reader, one per container so each
// fuzzes from its own seeds: FUZZ_CONTAINER is 1 (PE), 2 (NE) or 3 (icon
// groups: group directories and icon files). Beyond "no crash" it checks that
// every read stayed inside the bytes, that reading all icons costs at most a
// few passes over the input, and that every picture is 32 x 32.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "import/icon_resources.h"

namespace {

void ReadAll(std::span<const std::uint8_t> bytes) {
  gs::MemorySource src(bytes);
  gs::IconResourceReader r(src);
  // Enough icons to walk every directory path; a hostile count is cut short.
  const int n = r.Count() < 64 ? r.Count() : 64;
  for (int k = 0; k < n; ++k) {
    gs::IconPicture pic;
    if (gs::ExtractIconPicture(r, k, pic) &&
        (pic.overWhite.Width() != 32 || pic.overWhite.Height() != 32 || pic.alpha.size() != 1024))
      std::abort();
  }
  if (src.BytesRead() > 16 * bytes.size() + (1u << 20)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
#if FUZZ_CONTAINER == 3
  std::vector<gs::IconGroupEntry> entries;
  gs::ParseGroupDirectory(bytes, entries);
  if (entries.size() > size / 14) std::abort();
  gs::ImageInfoOf(bytes);
#endif
  ReadAll(bytes);
  return 0;
}
