#pragma once
// Icons of files on the desktop: a file's own icons from its resources, and
// for any other file the icon the desktop's theme gives its type (Qt's MIME
// database and icon theme), else the built-in document icon.
#include <QImage>

#include "import/icon_extraction.h"

namespace gs {

class DesktopIconProvider : public ResourceIconProvider {
 public:
  bool Associated(const std::string& path, IconPicture& out) override;
};

// A 32 x 32 picture as the icon decoder brings any image to 32 x 32.
IconPicture PictureFromImage(const QImage& image);
// The picture drawn as the desktop draws an icon: transparent where alpha is 0.
QImage ImageOfPicture(const IconPicture& picture);

}  // namespace gs
