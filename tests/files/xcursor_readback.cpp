#include "tests/files/xcursor_readback.h"

#include <X11/Xcursor/Xcursor.h>

namespace gs::test {

bool LoadXcursorFile(const std::string& path, std::vector<XcursorFrame>& frames) {
  frames.clear();
  XcursorImages* images = XcursorFilenameLoadAllImages(path.c_str());
  if (!images) return false;
  for (int i = 0; i < images->nimage; ++i) {
    const XcursorImage* im = images->images[i];
    XcursorFrame f{im->size, im->width, im->height, im->xhot, im->yhot, im->delay, {}};
    f.pixels.assign(im->pixels, im->pixels + static_cast<std::size_t>(im->width) * im->height);
    frames.push_back(std::move(f));
  }
  XcursorImagesDestroy(images);
  return true;
}

}  // namespace gs::test
