#pragma once
// Helpers shared by every test executable: a temporary folder that cleans
// itself up, and whole-file reads and writes.
#include <cstdint>
#include <string>
#include <vector>

namespace gs::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::vector<std::uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::string DataPath(const std::string& relative);  // under tests/data

}  // namespace gs::test
