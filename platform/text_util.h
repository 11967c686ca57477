#pragma once
// Small text rules shared by the profile files and the settings store:
// line splitting, ASCII case folding, trimming and the Windows-1252 code page.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// Lines of a text, ended by LF, CRLF or a lone CR; the last line needs no end.
// The views point into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// Comparison without regard to ASCII letter case.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
// Strict weak order without regard to ASCII letter case, then by bytes.
bool LessIgnoreCase(std::string_view a, std::string_view b);

// Without leading and trailing blanks (spaces and tabs).
std::string_view TrimBlanks(std::string_view text);

// Windows-1252 bytes to UTF-8. Every byte has a meaning: the five bytes that
// the code page leaves undefined become U+0081, U+008D, U+008F, U+0090 and
// U+009D, as the platform maps them, so that no byte is lost.
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1252. Characters outside the code page, and bytes that are
// not valid UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);
// The one UTF-8 encoder: appends the code point (at most U+10FFFF) to `out`.
void AppendUtf8(std::string& out, std::uint32_t codePoint);
// The one UTF-8 decoder: the code point of the sequence at `i`, which moves
// past it. Overlong forms, surrogates, values above U+10FFFF and cut or
// broken sequences are invalid: false, and `i` moves by one byte only.
bool DecodeUtf8(std::string_view text, std::size_t& i, std::uint32_t& codePoint);

// Valid UTF-8 is kept; each invalid byte becomes U+FFFD.
std::string SanitizeUtf8(std::string_view text);

// A name or text from a file made safe to print on a terminal, the one escaper
// of every line the tool prints (and of the editor's marks): line feed, carriage
// return and tab become \n, \r and \t, the backslash \\, other control
// characters (C0, DEL and C1) and bytes that are not UTF-8 \xhh per byte, so
// that no name can move the cursor, retitle the terminal or forge a line.
// Valid UTF-8 (accents) is kept as it is.
std::string PrintableText(std::string_view text);

// Lower-case (ASCII) extension of a path's last name, without the dot
// ("ico"), or "".
std::string ExtensionOf(std::string_view path);

}  // namespace gs
