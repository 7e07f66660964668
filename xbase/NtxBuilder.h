// Bulk loading of a complete .ntx file.
#pragma once

#include <cstdint>
#include <vector>

#include "NtxFormat.h"
#include "xbase/FileSystem.h"

namespace xbase {

// Truncates file and writes a whole index of the given entries: keys holds
// header->keyLength bytes per entry, recnos the matching record numbers. The entries are
// sorted by key, then record number (an exact duplicate is kept once), and laid out
// bottom-up in one sequential pass with every page but the root at least half full.
// Fills in header->root, freeList, maxItems and halfPage and sets *fileSize.
// Returns kSuccess, kErrWrite, or kErrIndex when the index would outgrow 32-bit offsets.
// REQUIRES: header->keyLength in 1..250, keys.size() == recnos.size() * keyLength.
int writeNtxFile(File& file, ntx::Header* header, const std::vector<char>& keys,
                 const std::vector<std::uint32_t>& recnos, std::uint64_t* fileSize);

}  // namespace xbase
