#pragma once
// Profile (INI layout) files as the language files use them: 8-bit text in the
// Windows-1252 code page, read and written one key at a time. Texts going in
// and out are UTF-8.
//
// Reading rules:
//   - "[name]" opens a section (the name runs to the last "]"; text after it is
//     ignored). A "[" line without "]" opens a section that no lookup reaches,
//     so its entries cannot leak into the section above it.
//   - "key=value" is an entry; blanks around key and value are dropped, and one
//     pair of matching quotes ('...' or "...") around the value is removed.
//   - Lines without "=", lines starting with ";", and entries before the first
//     section are ignored. Names compare without regard to ASCII letter case.
//   - The first section of a name and the first entry of a key win.
//   - Lines end with LF, CRLF or a lone CR; the last needs no end. A UTF-8
//     byte-order mark makes the file UTF-8 instead of Windows-1252. A value
//     ends at a NUL byte. Files over 64 MiB are not read (lookups give the
//     default, writes fail).
//
// Writing rules: the file and the section are created as needed; an existing
// entry is replaced in place, a new one goes after the section's last line;
// every other byte of the file is kept. A value whose blanks or quotes would be
// lost on reading is written in double quotes, and line breaks in a value
// become spaces, so that a value can never add lines of its own.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// The platform reads into a 255-character buffer: values come back cut to 254.
inline constexpr std::size_t kProfileValueMax = 254;

// The value of `key` in `section`, cut to 254 characters; `defaultValue` when
// the file, the section or the key is missing. A key present with an empty
// value gives the empty text.
std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// Stores one entry. Returns false when the file could not be written (for
// instance its folder is missing) or a name cannot be stored (empty, or holding
// a line break, or "]" in a section name, or "=" in a key).
bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

// One profile file held in memory, for many lookups or writes with a single
// read and a single write. ReadProfileString and WriteProfileString are this
// class used for one key.
class ProfileFile {
 public:
  // Reads `path`; a missing file is an empty profile.
  explicit ProfileFile(std::string path);
  // A profile whose file content is `bytes`, as if read from `path`.
  ProfileFile(std::string path, std::string bytes);

  // The ReadProfileString rule over the text in memory.
  std::string Read(std::string_view section, std::string_view key,
                   const std::string& defaultValue) const;
  // The whole value (not cut), or nothing when the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The WriteProfileString rule on the text in memory; false for names that
  // cannot be stored.
  bool Write(std::string_view section, std::string_view key, std::string_view value);
  // Writes the file (through a temporary file and a rename) when something
  // changed; rewriting an entry with the bytes it already has is no change. False when that failed
  // or the file could not be read at load.
  bool Save();

  // Names of the sections, and the keys of the first section of a name, in
  // file order (duplicates included).
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  // Whether the file was present and readable at load.
  bool existed() const { return existed_; }
  const std::string& bytes() const { return bytes_; }

 private:
  struct Line {
    std::size_t begin = 0, end = 0;  // content, without the line end
    std::size_t next = 0;            // start of the following line
    enum Kind { kOther, kSection, kBadSection, kEntry } kind = kOther;
    std::string_view name;   // section name or key, trimmed
    std::string_view value;  // raw value, trimmed
  };

  void DetectEncoding();
  void Index();
  std::string Encode(std::string_view utf8) const;
  std::string Decode(std::string_view bytes) const;
  // Index of the first section line named `name`, or -1.
  long FindSection(std::string_view encodedName) const;
  // Index of the first entry `key` in the section starting at line `s`, or -1.
  long FindEntry(long s, std::string_view encodedKey) const;

  std::string path_;
  std::string bytes_;
  std::vector<Line> lines_;
  std::size_t bodyStart_ = 0;  // after a byte-order mark
  bool utf8_ = false;
  bool existed_ = false;
  bool unreadable_ = false;
  bool dirty_ = false;
};

}  // namespace gs
