#include "import/program_thumbnail.h"

#include <vector>

#include "files/icon_image.h"
#include "files/thumbnail.h"
#include "import/icon_resources.h"

namespace gs {

namespace {

// However a hostile directory points, a thumbnail reads no more than this.
constexpr std::uint64_t kReadBudget = std::uint64_t{64} << 20;

}  // namespace

bool LooksLikeProgram(ByteSource& src) {
  std::uint8_t head[2] = {};
  return src.ReadAt(0, 2, head) && head[0] == 'M' && head[1] == 'Z';
}

bool MakeProgramThumbnail(ByteSource& src, int size, RgbaImage& out, std::string& problem) {
  out = {};
  src.LimitTotalReads(kReadBudget);
  IconResourceReader reader(src);
  if (reader.Count() == 0) {
    problem = reader.Problem().empty() ? "no icons" : reader.Problem();
    return false;
  }
  std::vector<IconGroupEntry> entries;
  if (!reader.ReadGroup(0, entries)) {
    problem = "the first icon group cannot be read";
    return false;
  }
  std::vector<IconImageHeader> headers(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    IconImageInfo info;
    if (entries[i].present && reader.ReadImageInfo(entries[i], info) && info.readable)
      headers[i] = {info.width, info.height, info.bitCount, info.png};
  }
  const int best = BestImageForSize(headers, size);
  std::vector<std::uint8_t> bytes;
  IconImage image;
  if (best < 0 || !reader.ReadImage(entries[static_cast<std::size_t>(best)], bytes) ||
      !DecodeIconImageAtSize(bytes, image, problem)) {
    if (problem.empty()) problem = "no image of the first icon can be read";
    return false;
  }
  out = RenderThumbnail(image, size);
  if (out.rgba.empty()) {
    problem = "size must be from 1 to " + std::to_string(kMaxThumbnailSize);
    return false;
  }
  return true;
}

}  // namespace gs
