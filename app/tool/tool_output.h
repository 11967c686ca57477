#pragma once
// The output side of `convert`, shared by the commands that write an icon the
// same way (effect, extract, import): the options --depth, --palette,
// --hotspot, --to and --single-image (their table, help and values are in
// tool_command.cpp and .h), and the bytes of one output file in any format
// the editor writes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/tool/tool_command.h"
#include "app/tool/tool_common.h"
#include "files/palette_methods.h"

namespace gs::tool {

struct ConvertOptions {
  int depth = 24;
  PaletteMethod palette = PaletteMethod::None;
  bool hasHotspot = false;
  int hotspotX = 0, hotspotY = 0;
  std::string to;
  bool singleImage = false;  // --single-image
};

bool IsOutputFormat(std::string_view ext);
// -1 when the options are sound, else the usage exit code (message printed).
int ReadOptions(const Invocation& call, ConvertOptions& o);
// A usage error for options that do not fit the format, a warning for those doing nothing.
int CheckForFormat(const Invocation& call, const ConvertOptions& o, const std::string& format);
// The format of the single output OUT (for "-", --to's), checked against --to
// and the options: -1 with `format` set when sound, else the usage exit code.
int ChooseOutputFormat(const Invocation& call, const ConvertOptions& o, std::string_view command,
                       const std::string& out, std::string& format);
// Why BuildOutput gave nothing: "could not encode", or what PNG needs.
std::string EncodeFailure(const std::string& format);

// Why an .ico/.cur cannot be written keeping the other images of the file
// read (they overlap or run past its end), naming --single-image; "" when it
// can, or need not.
std::string KeptImagesProblem(const std::string& format, const LoadedIcon& icon,
                              const ConvertOptions& o);
// An .ico from an icon, or a .cur from a cursor, of several images keeps the
// others as the editor's Save as does (MergeEditedImage), unless
// --single-image; a cursor keeps the hotspot of the image replaced unless
// --hotspot is given or an effect moved it.
std::vector<std::uint8_t> BuildOutput(const std::string& format, LoadedIcon& icon,
                                      const ConvertOptions& o);

}  // namespace gs::tool
