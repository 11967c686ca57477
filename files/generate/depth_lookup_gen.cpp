// Writes the lookup tables that files/depth.cpp includes. Every box of
// 4 x 4 x 4 colours gets an id (one byte when there are few, else two).
// Below the table's size, the id is the standard index all the box's colours
// share; above, it names a pair entry, whose two answers (lower index first)
// and 64-bit mask (a set bit per colour of the box that takes the higher)
// settle every colour without a search. Boxes with more than two answers get
// the marker's id and search. The answers come from depth.cpp's own search.
// Each colour's region of the table is convex (squared distance, lowest index
// on a tie), so a box whose eight corners agree holds that answer throughout.
//   depth_lookup_gen OUT.inc
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "files/depth.h"

namespace {

gs::Color CellColor(int key, int cell) {
  return gs::RGB((key >> 12) * 4 + (cell & 3), ((key >> 6) & 63) * 4 + (cell >> 2 & 3),
                 (key & 63) * 4 + (cell >> 4));
}

struct Pair {
  int lower, higher;
  std::uint64_t mask;
  auto operator<=>(const Pair&) const = default;
};

class Tables {
 public:
  Tables(int bitCount, int marker) : bitCount_(bitCount), marker_(marker) {
    const int size = static_cast<int>(gs::StandardTable(bitCount).size());
    for (int i = 0; i < size; ++i) pairs_.push_back({i, i, 0});
    markerId_ = Add({marker, marker, 0});
  }

  // False when the search's answers break the tables' assumptions.
  bool AddBox(int key) {
    int answers[64];
    bool uniform = true;
    for (int corner = 0; corner < 8; ++corner) {
      const int cell = (corner & 1 ? 3 : 0) | (corner & 2 ? 12 : 0) | (corner & 4 ? 48 : 0);
      const gs::Color c = CellColor(key, cell);
      // The cells here must be the ones depth.cpp reads back.
      if (gs::DepthLookupKey(c) != key || gs::DepthLookupCell(c) != cell) return false;
      answers[cell] = gs::NearestStandardIndex(bitCount_, c);
      if (answers[cell] == marker_) return false;  // the marker is never an answer
      uniform = uniform && answers[cell] == answers[0];
    }
    int lower = answers[0], higher = answers[0];
    if (!uniform) {
      for (int cell = 0; cell < 64; ++cell) {
        answers[cell] = gs::NearestStandardIndex(bitCount_, CellColor(key, cell));
        if (answers[cell] == marker_) return false;
        if (answers[cell] == lower || answers[cell] == higher) continue;
        if (lower == higher && answers[cell] < lower) {
          lower = answers[cell];
        } else if (lower == higher) {
          higher = answers[cell];
        } else {
          lower = higher = marker_;
          break;
        }
      }
    }
    int id = lower;
    if (lower == marker_) {
      id = markerId_;
    } else if (lower != higher) {
      std::uint64_t mask = 0;
      for (int cell = 0; cell < 64; ++cell)
        if (answers[cell] == higher) mask |= std::uint64_t{1} << cell;
      id = Add({lower, higher, mask});
    }
    if (id > 0xFFFF) return false;
    boxes_.push_back(static_cast<std::uint16_t>(id));
    return true;
  }

  void Print(std::FILE* out, const char* name) const {
    std::string boxes, masks, pairs;
    const int idBytes = pairs_.size() <= 256 ? 1 : 2;
    for (std::uint16_t id : boxes_) Bytes(boxes, id, idBytes);
    for (const Pair& p : pairs_) {
      Bytes(masks, p.mask, 8);
      Bytes(pairs, static_cast<std::uint64_t>(p.lower), 1);
      Bytes(pairs, static_cast<std::uint64_t>(p.higher), 1);
    }
    std::fprintf(out, "inline constexpr int k%sPairCount = %zu;\n", name, pairs_.size());
    std::fprintf(out, "inline constexpr int k%sIdBytes = %d;\n", name, idBytes);
    Array(out, name, "Boxes", boxes);
    Array(out, name, "Masks", masks);
    Array(out, name, "Pairs", pairs);
  }

 private:
  int Add(const Pair& p) {
    const auto [at, added] = ids_.try_emplace(p, static_cast<int>(pairs_.size()));
    if (added) pairs_.push_back(p);
    return at->second;
  }
  // Little-endian, whatever the machine: depth.cpp reads them so.
  static void Bytes(std::string& text, std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(v >> (8 * i) & 0xFF));
      text += hex;
      if (text.size() % 256 == 0) text += "\"\n\"";
    }
  }
  static void Array(std::FILE* out, const char* name, const char* part, const std::string& text) {
    std::size_t bytes = 0;
    for (char c : text) bytes += c == 'x';
    std::fprintf(out, "inline constexpr unsigned char k%s%s[%zu] =\n\"%s\";\n", name, part,
                 bytes + 1, text.c_str());
  }

  int bitCount_, marker_, markerId_ = 0;
  std::vector<std::uint16_t> boxes_;
  std::vector<Pair> pairs_;
  std::map<Pair, int> ids_;
};

bool Write(std::FILE* out, int bitCount, int marker, const char* name) {
  Tables t(bitCount, marker);
  for (int key = 0; key < gs::kDepthLookupSize; ++key)
    if (!t.AddBox(key)) return false;
  t.Print(out, name);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 1;
  std::fprintf(out, "// Generated by files/generate/depth_lookup_gen.cpp; do not edit.\n");
  const bool ok = Write(out, 4, gs::kClassicLookupMarker, "Classic") &&
                  Write(out, 8, gs::kByteLookupMarker, "Byte");
  if (std::fclose(out) != 0 || !ok) {
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
