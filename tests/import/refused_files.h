#pragma once
// Files the extraction refuses, written into a test folder: "dos.exe", a
// program whose Windows headers lie beyond its end, and "broken.ico", an icon
// file of one image whose bytes are no image.
#include <cstdint>
#include <vector>

#include "tests/support/test_support.h"

namespace gs::test {

inline void WriteRefusedFiles(const TempDir& dir) {
  std::vector<std::uint8_t> dos(64, 0);
  dos[0] = 'M', dos[1] = 'Z', dos[0x3C] = 0xF0;
  WriteAll(dir.file("dos.exe"), dos);
  std::vector<std::uint8_t> ico = {0, 0,  1, 0,  1, 0, 32, 32, 0, 0, 1,
                                   0, 32, 0, 40, 0, 0, 0,  22, 0, 0, 0};
  ico.resize(ico.size() + 40, 0xFF);
  WriteAll(dir.file("broken.ico"), ico);
}

}  // namespace gs::test
