#include "platform/profile_file.h"

#include <utility>

#include "platform/file_access.h"
#include "platform/text_util.h"

namespace gs {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view StripQuotes(std::string_view v) {
  if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

bool HasLineBreakOrNul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Cuts UTF-8 text to `max` characters.
std::string CutCharacters(std::string text, std::size_t max) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (count++ == max) {
      text.resize(i);
      break;
    }
  }
  return text;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
  switch (ReadFileLimited(path_, kMaxFileBytes, bytes_)) {
    case ReadResult::kOk:
      existed_ = true;
      break;
    case ReadResult::kMissing:
      break;
    case ReadResult::kFailed:
      unreadable_ = true;
      bytes_.clear();
      break;
  }
  DetectEncoding();
}

ProfileFile::ProfileFile(std::string path, std::string bytes)
    : path_(std::move(path)), bytes_(std::move(bytes)), existed_(true) {
  DetectEncoding();
}

void ProfileFile::DetectEncoding() {
  if (std::string_view(bytes_).substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    utf8_ = true;
    bodyStart_ = kUtf8Bom.size();
  }
  Index();
}

void ProfileFile::Index() {
  lines_.clear();
  std::string_view all(bytes_);
  std::size_t pos = bodyStart_;
  while (pos < all.size()) {
    Line line;
    line.begin = pos;
    std::size_t end = all.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = all.size();
    line.end = end;
    line.next = end;
    if (line.next < all.size()) {
      line.next += (all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1;
    }
    pos = line.next;

    std::string_view text = TrimBlanks(all.substr(line.begin, line.end - line.begin));
    if (text.empty() || text.front() == ';') {
      // blank or comment
    } else if (text.front() == '[') {
      std::size_t close = text.rfind(']');
      if (close == std::string_view::npos) {
        line.kind = Line::kBadSection;
      } else {
        line.kind = Line::kSection;
        line.name = TrimBlanks(text.substr(1, close - 1));
      }
    } else if (std::size_t eq = text.find('='); eq != std::string_view::npos) {
      line.kind = Line::kEntry;
      line.name = TrimBlanks(text.substr(0, eq));
      line.value = TrimBlanks(text.substr(eq + 1));
    }
    lines_.push_back(line);
  }
}

std::string ProfileFile::Encode(std::string_view utf8) const {
  return utf8_ ? SanitizeUtf8(utf8) : Utf8ToCp1252(utf8);
}

std::string ProfileFile::Decode(std::string_view bytes) const {
  return utf8_ ? SanitizeUtf8(bytes) : Cp1252ToUtf8(bytes);
}

long ProfileFile::FindSection(std::string_view encodedName) const {
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Line::kSection && EqualsIgnoreCase(lines_[i].name, encodedName))
      return static_cast<long>(i);
  return -1;
}

long ProfileFile::FindEntry(long s, std::string_view encodedKey) const {
  for (std::size_t i = static_cast<std::size_t>(s) + 1; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Line::kSection || line.kind == Line::kBadSection) break;
    if (line.kind == Line::kEntry && EqualsIgnoreCase(line.name, encodedKey))
      return static_cast<long>(i);
  }
  return -1;
}

std::optional<std::string> ProfileFile::Find(std::string_view section, std::string_view key) const {
  long s = FindSection(Encode(section));
  if (s < 0) return std::nullopt;
  long e = FindEntry(s, Encode(key));
  if (e < 0) return std::nullopt;
  std::string_view value = StripQuotes(lines_[static_cast<std::size_t>(e)].value);
  // The platform hands the value over as a C string.
  value = value.substr(0, value.find('\0'));
  return Decode(value);
}

std::vector<std::string> ProfileFile::Sections() const {
  std::vector<std::string> names;
  for (const Line& line : lines_)
    if (line.kind == Line::kSection) names.push_back(Decode(line.name));
  return names;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  long s = FindSection(Encode(section));
  if (s < 0) return keys;
  for (std::size_t i = static_cast<std::size_t>(s) + 1; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::kSection || lines_[i].kind == Line::kBadSection) break;
    if (lines_[i].kind == Line::kEntry) keys.push_back(Decode(lines_[i].name));
  }
  return keys;
}

std::string ProfileFile::Read(std::string_view section, std::string_view key,
                              const std::string& defaultValue) const {
  std::optional<std::string> value = Find(section, key);
  if (!value) return defaultValue;
  return CutCharacters(std::move(*value), kProfileValueMax);
}

bool ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || key.empty() || HasLineBreakOrNul(section) || HasLineBreakOrNul(key) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
      TrimBlanks(section) != section || TrimBlanks(key) != key || key.front() == '[' ||
      key.front() == ';')
    return false;

  std::string flat(value);
  for (char& c : flat)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  std::string stored = Encode(flat);
  std::string_view check(stored);
  if (TrimBlanks(check) != check || StripQuotes(check) != check) stored = '"' + stored + '"';

  std::string encSection = Encode(section);
  std::string encKey = Encode(key);

  // New lines follow the file's own line ends; CRLF in a new file.
  std::string eol = "\r\n";
  for (const Line& line : lines_) {
    if (line.next > line.end) {
      eol = bytes_.substr(line.end, line.next - line.end);
      break;
    }
  }

  long s = FindSection(encSection);
  if (s >= 0) {
    long e = FindEntry(s, encKey);
    if (e >= 0) {
      Line& line = lines_[static_cast<std::size_t>(e)];
      std::string replacement = std::string(line.name) + "=" + stored;
      // Writing what is already there changes nothing, and leaves the file alone.
      if (std::string_view(bytes_).substr(line.begin, line.end - line.begin) == replacement)
        return true;
      bytes_.replace(line.begin, line.end - line.begin, replacement);
    } else {
      // After the last non-blank line of the section.
      std::size_t last = static_cast<std::size_t>(s);
      for (std::size_t i = last + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::kSection || lines_[i].kind == Line::kBadSection) break;
        if (!TrimBlanks(
                 std::string_view(bytes_).substr(lines_[i].begin, lines_[i].end - lines_[i].begin))
                 .empty())
          last = i;
      }
      const Line& after = lines_[last];
      std::string entry = encKey + "=" + stored;
      if (after.next == after.end)  // the file's last line, without a line end
        bytes_.insert(after.end, eol + entry);
      else
        bytes_.insert(after.next, entry + eol);
    }
  } else {
    std::string block;
    if (bytes_.size() > bodyStart_) {
      char lastChar = bytes_.back();
      if (lastChar != '\n' && lastChar != '\r') block += eol;
      block += eol;
    }
    block += "[" + encSection + "]" + eol + encKey + "=" + stored + eol;
    bytes_ += block;
  }
  dirty_ = true;
  Index();
  return true;
}

bool ProfileFile::Save() {
  if (unreadable_) return false;
  if (!dirty_) return true;
  if (!WriteFileReplacing(path_, bytes_)) return false;
  dirty_ = false;
  existed_ = true;
  return true;
}

std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
  return ProfileFile(file).Read(section, key, defaultValue);
}

bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
  ProfileFile profile(file);
  return profile.Write(section, key, value) && profile.Save();
}

}  // namespace gs
