#pragma once
// The icon resources of 16-bit (NE) programs and libraries: one resource
// table, each resource's offset and length in units of its alignment shift.
#include <cstdint>

#include "import/byte_source.h"
#include "import/resource_index.h"

namespace gs {

// Reads the resource table of the NE header at `ne` and lists the icon groups
// and images into index, each with its bytes in the file.
void ReadNeResources(ByteSource& src, std::uint32_t ne, ResourceIndex& index);

}  // namespace gs
