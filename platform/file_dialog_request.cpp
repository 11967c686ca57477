#include "platform/file_dialog_request.h"

namespace gs {

std::vector<std::string> FilterPatterns(const FileFilter& filter) {
  std::vector<std::string> out;
  std::string current;
  const auto flush = [&] {
    const auto first = current.find_first_not_of(" \t");
    if (first != std::string::npos) {
      const auto last = current.find_last_not_of(" \t");
      out.push_back(current.substr(first, last - first + 1));
    }
    current.clear();
  };
  for (char c : filter.pattern) {
    if (c == ';')
      flush();
    else
      current += c;
  }
  flush();
  return out;
}

}  // namespace gs
