// Bulk loading of a complete .ntx file.
#pragma once

#include <cstdint>
#include <vector>

#include "NtxFormat.h"
#include "NtxKeySorter.h"
#include "xbase/FileSystem.h"

namespace xbase {

// Truncates file and writes a whole index of the entries, in the order the sorter gives
// them (REQUIRES: finished, keys of header->keyLength bytes, 1..250), laid out bottom-up
// in one sequential pass with every page but the root at least half full. Fills in
// header->root, freeList, maxItems and halfPage and sets *fileSize. Returns kSuccess,
// kErrWrite, the error reading a run back, or kErrIndex when the index would outgrow
// 32-bit offsets.
int writeNtxFile(File& file, ntx::Header* header, NtxKeySorter& entries, std::uint64_t* fileSize);

}  // namespace xbase
