#pragma once
// The system clipboard as the edit commands' image store.
#include <QImage>

#include "tools/clipboard.h"

namespace gs {

class SystemClipboard : public ImageClipboard {
 public:
  // Puts a 24-bit picture on the clipboard, for any program to paste.
  bool SetImage(const Surface& image) override;
  // The clipboard's picture, cut to what a paste can use (32 x 32 at most);
  // see-through pixels become white, the transparent colour. Nothing when
  // the clipboard holds no picture (text, say).
  std::optional<Surface> GetImage() override;
};

QImage SurfaceToImage(const Surface& s);  // Format_RGB888
// The top-left part (at most maxW x maxH) of a picture, flattened onto white.
Surface ImageToSurface(const QImage& image, int maxW, int maxH);

}  // namespace gs
