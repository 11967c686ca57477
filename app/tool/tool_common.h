#pragma once
// Shared pieces of glyphsmith-tool's commands. Exit codes: 0 done, 1 a file
// could not be read or written (one line on stderr naming it), 2 bad usage.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/surface.h"

namespace gs::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// No input larger than this is read, whatever the command: icons larger than
// this are not what the editor opens.
inline constexpr std::size_t kMaxInputBytes = std::size_t{16} << 20;

// Every line the tool prints goes through PrintableText (platform/text_util.h),
// so that a file name can neither drive the terminal nor forge a line.
int Fail(const std::string& message);   // prints "glyphsmith-tool: message", returns 1
int Usage(const std::string& message);  // prints it and the --help hint, returns 2
// The name of an input or output as printed: "-" is "standard input".
std::string NameOf(const std::string& path);

// Reads a whole input file, or standard input for "-", up to kMaxInputBytes.
// Fails with "<path>: <reason>".
bool ReadInput(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);
// Writes a whole output file through the safe writer, or to standard output for "-".
bool WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error);

// An .ico/.cur as the editor reads it, with the hotspot of the entry read
// (in the 32 x 32 picture) when it is a cursor.
struct LoadedIcon {
  Surface pixels;
  bool cursor = false;
  int hotspotX = 0, hotspotY = 0;
  // A file of several images, kept so that an .ico or .cur written from it
  // keeps the others as the editor's Save as does (IconDocument::sourceFile).
  std::shared_ptr<const std::vector<std::uint8_t>> sourceFile;
  int sourceEntry = -1;
  std::string othersNotKept;  // why several images cannot be kept; "" otherwise
  bool hotspotMoved = false;  // by an effect: the output takes it, not the kept one
};
// A file that is not an icon or cursor, or that the reader reports damaged, is
// refused with "<path>: <reason>"; a picture with "this is a PNG picture: use
// import". An animated cursor gives its first frame, as the editor opens it,
// and is refused when any frame or its structure is damaged.
bool DecodeInput(const std::string& path, std::span<const std::uint8_t> bytes, LoadedIcon& icon,
                 std::string& error);
bool LoadInput(const std::string& path, LoadedIcon& icon, std::string& error);

// "PNG", "BMP", "GIF" or "JPEG" for bytes that are such a picture (and no
// icon, cursor or animated cursor); "" otherwise.
std::string PictureKindOf(std::span<const std::uint8_t> bytes);
// "<path>: this is a PNG picture: use import" for such bytes; "" otherwise.
std::string PictureRefusal(const std::string& path, std::span<const std::uint8_t> bytes);

// The single output of a command that writes one format: OUT ending in the
// extension of another format the tool knows is refused (usage exit code),
// as convert refuses it; "-", `writes` ("png", "" for none) and other names
// pass (-1). `what` names the format: "a PNG picture (.png)".
int CheckOutputExtension(std::string_view command, const std::string& out, std::string_view writes,
                         std::string_view what);

// A whole decimal number from..to, nothing else.
bool ParseWholeNumber(std::string_view s, unsigned long long from, unsigned long long to,
                      unsigned long long& v);

}  // namespace gs::tool
