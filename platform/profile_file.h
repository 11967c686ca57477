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
//     ends at a NUL byte. Files over 1 MiB (kProfileMaxBytes) are not read:
//     lookups give the default and writes fail, leaving the file untouched.
//
// Writing rules: the file and the section are created as needed; an existing
// entry is replaced in place, a new one goes after the section's last line;
// every other byte of the file is kept. A value whose blanks or quotes would be
// lost on reading is written in double quotes, and line breaks in a value
// become spaces, so that a value can never add lines of its own.
//
// Cost: held in memory, a file takes its own size plus about 20 bytes per
// section or entry line (an entry line is at least 2 bytes); blank and other
// lines cost nothing. Each lookup or write is a hash lookup, and saving after
// any number of writes is one pass over the file, so exporting a window is
// linear in its size.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gs {

// The platform reads into a 255-character buffer: values come back cut to 254.
inline constexpr std::size_t kProfileValueMax = 254;
// Language files are a few KiB; a larger file is refused whole.
inline constexpr std::size_t kProfileMaxBytes = std::size_t{1} << 20;

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
  // The content as Save writes it.
  std::string bytes() const { return Compose(); }

 private:
  // Only section and entry lines are recorded; the rest of the file is copied as it is.
  enum Kind : std::uint8_t { kSection, kBadSection, kEntry };
  struct Line {
    std::uint32_t begin = 0, end = 0;  // content, without the line end
    std::uint32_t edit = kNone;        // index in edits_ when rewritten
    Kind kind = kEntry;
  };
  // What only a section looked up or written needs, made on first use.
  struct SectionDetail {
    std::string name;                 // encoded, for a section added
    std::vector<std::string> added;   // new "key=value" lines, in order
    std::vector<std::uint32_t> keys;  // hash table of its entries
    std::uint32_t keyCount = 0;
    bool keysBuilt = false;
  };
  // One per section name (the first of duplicates): about 24 bytes.
  struct Section {
    std::uint32_t line = 0xFFFFFFFFu;         // its header line; kNone for a section added
    std::uint32_t bodyEnd = 0;                // lines_ index after its last line
    std::uint32_t lastEnd = 0, lastNext = 0;  // where its last non-blank line ends
    std::unique_ptr<SectionDetail> detail;
  };
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  static constexpr std::uint32_t kAddedBit = 0x80000000u;

  void Index();
  std::string Encode(std::string_view utf8) const;
  std::string Decode(std::string_view bytes) const;
  std::string_view LineText(std::uint32_t line) const;
  // Entry name and raw value of an entry line's text, both trimmed.
  static void SplitEntry(std::string_view text, std::string_view& name, std::string_view& value);
  std::string_view EntryText(const Section& s, std::uint32_t ref) const;
  // Index in sections_ of the first section named so, or kNone.
  std::uint32_t FindSection(std::string_view encodedName) const;
  // Reference of the first entry `key` in the section (a line index, or
  // kAddedBit | index in `added`), or kNone.
  std::uint32_t FindEntry(std::uint32_t section, std::string_view encodedKey) const;
  std::string_view SectionName(std::uint32_t section) const;
  SectionDetail& Detail(Section& s) const;
  std::string_view EntryName(const Section& s, std::uint32_t ref) const;
  void AddKey(Section& s, std::uint32_t ref) const;
  void AddSection(std::uint32_t section);
  std::string Compose() const;

  std::string path_;
  std::string bytes_;
  std::vector<Line> lines_;
  mutable std::vector<Section> sections_;
  std::vector<std::uint32_t> sectionTable_;  // hash table of sections_ indices
  std::uint32_t sectionCount_ = 0;
  std::vector<std::string> edits_;
  std::uint32_t lastWritten_ = kNone;  // section of the last write, by its name as given
  std::string lastWrittenName_;
  std::string eol_ = "\r\n";
  std::size_t bodyStart_ = 0;  // after a byte-order mark
  bool utf8_ = false;
  bool existed_ = false;
  bool unreadable_ = false;
  bool dirty_ = false;
};

}  // namespace gs
