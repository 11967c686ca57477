#include "platform/profile_file.h"

#include <utility>

#include "platform/file_access.h"
#include "platform/text_util.h"

namespace gs {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

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

// ASCII letters folded, as names compare.
std::uint64_t FoldedHash(std::string_view s) {
  std::uint64_t h = 1469598103934665603ull;
  for (char c : s) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') u = static_cast<unsigned char>(u - 'A' + 'a');
    h = (h ^ u) * 1099511628211ull;
  }
  return h;
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {
  switch (ReadFileLimited(path_, kProfileMaxBytes, bytes_)) {
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
  Index();
}

ProfileFile::ProfileFile(std::string path, std::string bytes)
    : path_(std::move(path)), bytes_(std::move(bytes)), existed_(true) {
  if (bytes_.size() > kProfileMaxBytes) {
    unreadable_ = true;
    bytes_.clear();
  }
  Index();
}

void ProfileFile::Index() {
  if (std::string_view(bytes_).substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    utf8_ = true;
    bodyStart_ = kUtf8Bom.size();
  }
  const std::string_view all(bytes_);
  // New lines follow the file's own line ends; CRLF in a new file.
  if (const std::size_t e = all.find_first_of("\r\n", bodyStart_); e != std::string_view::npos)
    eol_ = all[e] == '\n' ? "\n" : (e + 1 < all.size() && all[e + 1] == '\n') ? "\r\n" : "\r";
  Section* current = nullptr;
  std::size_t pos = bodyStart_;
  while (pos < all.size()) {
    const std::size_t begin = pos;
    std::size_t end = all.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = all.size();
    std::size_t next = end;
    if (next < all.size())
      next += (all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ? 2 : 1;
    pos = next;
    const std::string_view text = TrimBlanks(all.substr(begin, end - begin));
    if (text.empty()) continue;
    const auto b32 = static_cast<std::uint32_t>(begin), e32 = static_cast<std::uint32_t>(end);
    if (text.front() == '[') {
      const bool closed = text.rfind(']') != std::string_view::npos;
      lines_.push_back({b32, e32, kNone, closed ? kSection : kBadSection});
      if (current) current->bodyEnd = static_cast<std::uint32_t>(lines_.size() - 1);
      current = nullptr;
      // Only the first section of a name is ever reached.
      const std::string_view name = TrimBlanks(text.substr(1, text.rfind(']') - 1));
      if (closed && FindSection(name) == kNone) {
        sections_.emplace_back();
        current = &sections_.back();
        current->line = static_cast<std::uint32_t>(lines_.size() - 1);
        AddSection(static_cast<std::uint32_t>(sections_.size() - 1));
      }
    } else if (text.front() != ';' && text.find('=') != std::string_view::npos) {
      lines_.push_back({b32, e32, kNone, kEntry});
    }
    // Comments and other text are not recorded, but new entries go after them.
    if (current) current->lastEnd = e32, current->lastNext = static_cast<std::uint32_t>(next);
  }
  if (current) current->bodyEnd = static_cast<std::uint32_t>(lines_.size());
}

namespace {

// Open addressing over references whose names give their hashes; a table is
// at most half full, so memory is 8 bytes per name.
template <class HashOf>
void InsertRef(std::vector<std::uint32_t>& table, std::uint32_t& count, std::uint32_t ref,
               HashOf hashOf) {
  constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  auto place = [&](std::uint32_t r) {
    std::size_t i = static_cast<std::size_t>(hashOf(r)) & (table.size() - 1);
    while (table[i] != kEmpty) i = (i + 1) & (table.size() - 1);
    table[i] = r;
  };
  if (2 * (static_cast<std::size_t>(count) + 1) > table.size()) {
    std::vector<std::uint32_t> old;
    old.swap(table);
    table.assign(old.empty() ? 8 : old.size() * 2, kEmpty);
    for (std::uint32_t r : old)
      if (r != kEmpty) place(r);
  }
  place(ref);
  ++count;
}

}  // namespace

std::string ProfileFile::Encode(std::string_view utf8) const {
  return utf8_ ? SanitizeUtf8(utf8) : Utf8ToCp1252(utf8);
}

std::string ProfileFile::Decode(std::string_view bytes) const {
  return utf8_ ? SanitizeUtf8(bytes) : Cp1252ToUtf8(bytes);
}

std::string_view ProfileFile::LineText(std::uint32_t line) const {
  const Line& l = lines_[line];
  if (l.edit != kNone) return edits_[l.edit];
  return std::string_view(bytes_).substr(l.begin, l.end - l.begin);
}

void ProfileFile::SplitEntry(std::string_view text, std::string_view& name,
                             std::string_view& value) {
  text = TrimBlanks(text);
  const std::size_t eq = text.find('=');
  name = TrimBlanks(text.substr(0, eq));
  value = TrimBlanks(text.substr(eq + 1));
}

std::string_view ProfileFile::SectionName(std::uint32_t section) const {
  const Section& s = sections_[section];
  if (s.line == kNone) return s.detail->name;
  const std::string_view text = TrimBlanks(LineText(s.line));
  return TrimBlanks(text.substr(1, text.rfind(']') - 1));
}

std::string_view ProfileFile::EntryText(const Section& s, std::uint32_t ref) const {
  return ref & kAddedBit ? std::string_view(s.detail->added[ref & ~kAddedBit]) : LineText(ref);
}

std::string_view ProfileFile::EntryName(const Section& s, std::uint32_t ref) const {
  std::string_view name, value;
  SplitEntry(EntryText(s, ref), name, value);
  return name;
}

void ProfileFile::AddSection(std::uint32_t section) {
  InsertRef(sectionTable_, sectionCount_, section,
            [&](std::uint32_t r) { return FoldedHash(SectionName(r)); });
}

ProfileFile::SectionDetail& ProfileFile::Detail(Section& s) const {
  if (!s.detail) s.detail = std::make_unique<SectionDetail>();
  return *s.detail;
}

void ProfileFile::AddKey(Section& s, std::uint32_t ref) const {
  SectionDetail& d = Detail(s);
  InsertRef(d.keys, d.keyCount, ref, [&](std::uint32_t r) { return FoldedHash(EntryName(s, r)); });
}

std::uint32_t ProfileFile::FindSection(std::string_view encodedName) const {
  if (sectionTable_.empty()) return kNone;
  std::size_t i = static_cast<std::size_t>(FoldedHash(encodedName)) & (sectionTable_.size() - 1);
  for (; sectionTable_[i] != kNone; i = (i + 1) & (sectionTable_.size() - 1))
    if (EqualsIgnoreCase(SectionName(sectionTable_[i]), encodedName)) return sectionTable_[i];
  return kNone;
}

std::uint32_t ProfileFile::FindEntry(std::uint32_t section, std::string_view encodedKey) const {
  Section& s = sections_[section];
  SectionDetail& d = Detail(s);
  if (!d.keysBuilt) {
    // The first entry of a name is the one that counts.
    d.keysBuilt = true;
    if (s.line != kNone)
      for (std::uint32_t i = s.line + 1; i < s.bodyEnd; ++i) {
        if (lines_[i].kind != kEntry) continue;
        const std::string_view name = EntryName(s, i);
        if (FindEntry(section, name) == kNone) AddKey(s, i);
      }
  }
  if (d.keys.empty()) return kNone;
  std::size_t i = static_cast<std::size_t>(FoldedHash(encodedKey)) & (d.keys.size() - 1);
  for (; d.keys[i] != kNone; i = (i + 1) & (d.keys.size() - 1))
    if (EqualsIgnoreCase(EntryName(s, d.keys[i]), encodedKey)) return d.keys[i];
  return kNone;
}

std::optional<std::string> ProfileFile::Find(std::string_view section, std::string_view key) const {
  const std::uint32_t s = FindSection(Encode(section));
  if (s == kNone) return std::nullopt;
  const std::uint32_t e = FindEntry(s, Encode(key));
  if (e == kNone) return std::nullopt;
  std::string_view name, value;
  SplitEntry(EntryText(sections_[s], e), name, value);
  value = StripQuotes(value);
  // The platform hands the value over as a C string.
  value = value.substr(0, value.find('\0'));
  return Decode(value);
}

std::vector<std::string> ProfileFile::Sections() const {
  std::vector<std::string> names;
  for (const Line& line : lines_)
    if (line.kind == kSection) {
      const std::string_view text =
          TrimBlanks(std::string_view(bytes_).substr(line.begin, line.end - line.begin));
      names.push_back(Decode(TrimBlanks(text.substr(1, text.rfind(']') - 1))));
    }
  for (const Section& s : sections_)
    if (s.line == kNone) names.push_back(Decode(s.detail->name));
  return names;
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const std::uint32_t si = FindSection(Encode(section));
  if (si == kNone) return keys;
  const Section& s = sections_[si];
  if (s.line != kNone)
    for (std::uint32_t i = s.line + 1; i < s.bodyEnd; ++i)
      if (lines_[i].kind == kEntry) keys.push_back(Decode(EntryName(s, i)));
  const std::size_t added = s.detail ? s.detail->added.size() : 0;
  for (std::uint32_t k = 0; k < added; ++k) keys.push_back(Decode(EntryName(s, kAddedBit | k)));
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
  if (unreadable_) return false;

  std::string flat(value);
  for (char& c : flat)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  std::string stored = Encode(flat);
  std::string_view check(stored);
  if (TrimBlanks(check) != check || StripQuotes(check) != check) stored = '"' + stored + '"';
  const std::string encKey = Encode(key);

  // A window writes all its keys into one section: remember it.
  std::uint32_t si = lastWritten_;
  if (si == kNone || lastWrittenName_ != section) {
    const std::string encSection = Encode(section);
    si = FindSection(encSection);
    if (si == kNone) {
      sections_.emplace_back();
      sections_.back().line = kNone;
      Detail(sections_.back()).name = encSection;
      Detail(sections_.back()).keysBuilt = true;
      si = static_cast<std::uint32_t>(sections_.size() - 1);
      AddSection(si);
    }
    lastWritten_ = si;
    lastWrittenName_.assign(section);
  }
  Section& s = sections_[si];
  const std::uint32_t e = FindEntry(si, encKey);
  if (e == kNone) {
    SectionDetail& d = Detail(s);
    d.added.push_back(encKey + "=" + stored);
    AddKey(s, kAddedBit | static_cast<std::uint32_t>(d.added.size() - 1));
    dirty_ = true;
    return true;
  }
  std::string_view name, oldValue;
  const std::string_view oldText = EntryText(s, e);
  SplitEntry(oldText, name, oldValue);
  std::string replacement = std::string(name) + "=" + stored;
  // Writing what is already there changes nothing, and leaves the file alone.
  if (oldText == replacement) return true;
  // The table finds entries by their names, which stay the same.
  if (e & kAddedBit) {
    s.detail->added[e & ~kAddedBit] = std::move(replacement);
  } else if (lines_[e].edit != kNone) {
    edits_[lines_[e].edit] = std::move(replacement);
  } else {
    lines_[e].edit = static_cast<std::uint32_t>(edits_.size());
    edits_.push_back(std::move(replacement));
  }
  dirty_ = true;
  return true;
}

// The file with every write applied, in one pass: rewritten lines in place,
// new entries after their section's last non-blank line, new sections at the end.
std::string ProfileFile::Compose() const {
  std::string out;
  std::size_t extra = 0;
  for (const std::string& e : edits_) extra += e.size();
  for (const Section& s : sections_) {
    if (!s.detail) continue;
    extra += s.detail->name.size() + 8;
    for (const std::string& a : s.detail->added) extra += a.size() + 2;
  }
  out.reserve(bytes_.size() + extra);
  // Insertion points of the existing sections' new entries, in file order.
  std::vector<const Section*> inserts;
  for (const Section& s : sections_)
    if (s.line != kNone && s.detail && !s.detail->added.empty()) inserts.push_back(&s);
  std::size_t nextInsert = 0;
  std::size_t pos = 0;
  auto copyTo = [&](std::size_t to) {
    while (nextInsert < inserts.size()) {
      const Section& s = *inserts[nextInsert];
      const std::size_t at = s.lastNext == s.lastEnd ? s.lastEnd : s.lastNext;
      if (at > to) break;
      out.append(bytes_, pos, at - pos);
      pos = at;
      for (const std::string& a : s.detail->added) {
        if (s.lastNext == s.lastEnd)  // the file's last line, without a line end
          out += eol_ + a;
        else
          out += a + eol_;
      }
      ++nextInsert;
    }
    out.append(bytes_, pos, to - pos);
    pos = to;
  };
  for (const Line& line : lines_) {
    if (line.edit == kNone) continue;
    copyTo(line.begin);
    out += edits_[line.edit];
    pos = line.end;
  }
  copyTo(bytes_.size());
  bool first = true;
  for (const Section& s : sections_) {
    if (s.line != kNone) continue;
    if (first && out.size() > bodyStart_) {
      if (out.back() != '\n' && out.back() != '\r') out += eol_;
      out += eol_;
    } else if (!first) {
      out += eol_;
    }
    first = false;
    out += "[" + s.detail->name + "]" + eol_;
    for (const std::string& a : s.detail->added) out += a + eol_;
  }
  return out;
}

bool ProfileFile::Save() {
  if (unreadable_) return false;
  if (!dirty_) return true;
  if (!WriteFileReplacing(path_, Compose())) return false;
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
