#pragma once
// Thumbnails of programs and libraries: the icon a file manager would show
// for them (their first icon group), the stored image that suits the size
// best drawn as files/thumbnail.h draws icons. Read by seeking, never whole.
//
//   auto src = FileSource::Open(path, error);
//   if (src && LooksLikeProgram(*src)) MakeProgramThumbnail(*src, 128, rgba, problem);
#include <string>

#include "files/png_codec.h"
#include "import/byte_source.h"

namespace gs {

// True when the bytes start as a DOS, Windows or OS/2 program ("MZ").
bool LooksLikeProgram(ByteSource& src);

// False, with the reason, when the file holds no icon that can be read.
bool MakeProgramThumbnail(ByteSource& src, int size, RgbaImage& out, std::string& problem);

}  // namespace gs
