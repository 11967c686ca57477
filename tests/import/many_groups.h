#pragma once
// A 16-bit program of `groups` icon groups, each a 32 x 32 red icon, except
// group `damaged`, whose directory lists no image.
#include <cstdint>
#include <vector>

#include "files/byte_io.h"

namespace gs::test {

inline std::vector<std::uint8_t> ManyGroupsProgram(int groups, int damaged) {
  bytes::Writer w;
  w.Tag("MZ");
  w.Fill(0x3C - 2, 0);
  w.U32(0x40);
  const std::size_t tableLength = 2 + 8 + 12 * static_cast<std::size_t>(groups) + 8 + 12 + 2;
  w.Tag("NE");
  w.Fill(0x24 - 2, 0);
  w.U16(0x40);                                       // resource table, from the header
  w.U16(static_cast<unsigned>(0x40 + tableLength));  // resident names
  w.Fill(0x36 - 0x28, 0);
  w.U8(2);  // Windows
  w.Fill(0x40 - 0x37, 0);
  const std::uint32_t groupAt = (0x80 + tableLength + 15) / 16 * 16;
  const std::uint32_t emptyAt = groupAt + 32, iconAt = groupAt + 64;
  constexpr unsigned kDibBytes = 40 + 8 + 128 + 128;
  w.U16(4);  // shift
  w.U16(0x800E), w.U16(static_cast<unsigned>(groups)), w.U32(0);
  for (int k = 0; k < groups; ++k)
    w.U16((k == damaged ? emptyAt : groupAt) >> 4), w.U16(2), w.U16(0x1030),
        w.U16(0x8000 | (k + 1)), w.U32(0);
  w.U16(0x8003), w.U16(1), w.U32(0);
  w.U16(iconAt >> 4), w.U16((kDibBytes + 15) >> 4), w.U16(0x1030), w.U16(0x8001), w.U32(0);
  w.U16(0);
  w.Fill(groupAt - w.Size(), 0);
  w.U16(0), w.U16(1), w.U16(1);  // one image: icon 1
  w.U8(32), w.U8(32), w.U8(2), w.U8(0), w.U16(1), w.U16(1), w.U32(kDibBytes), w.U16(1);
  w.Fill(emptyAt - w.Size(), 0);
  w.U16(0), w.U16(1), w.U16(0);  // no image
  w.Fill(iconAt - w.Size(), 0);
  w.U32(40), w.U32(32), w.U32(64), w.U16(1), w.U16(1);
  w.Fill(40 - 16, 0);
  w.U32(0x00FF0000), w.U32(0x00FFFFFF);  // index 0 red, 1 white
  w.Fill(128 + 128, 0);                  // every pixel index 0, opaque
  return w.Take();
}

}  // namespace gs::test
