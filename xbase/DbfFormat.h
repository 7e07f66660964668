// On-disk layout of a dBASE III+ table file, as this engine writes and accepts it.
// All multi-byte numbers are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace xbase::dbf {

// Version byte written by create(); any version byte is accepted on open (0x83 with
// memo, 0x30 FoxPro, ...), its foreign parts simply left alone.
constexpr std::uint8_t kVersionDbase3 = 0x03;

// Header: the fixed 32-byte part at the start of the file.
constexpr std::size_t kVersionOffset = 0;          // 1 byte, version / flags
constexpr std::size_t kUpdateOffset = 1;           // 3 bytes: year - 1900, month, day
constexpr std::size_t kCountOffset = 4;            // uint32: number of records
constexpr std::size_t kHeaderLengthOffset = 8;     // uint16: bytes before the first record
constexpr std::size_t kRecordLengthOffset = 10;    // uint16: bytes per record, flag included
constexpr std::size_t kLanguageDriverOffset = 29;  // 1 byte: code page of the text, 0 for none
constexpr std::size_t kFixedHeaderSize = 32;

// Field descriptors: one 32-byte entry per field, starting right after the fixed header.
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kNameOffset = 0;  // 11 bytes, NUL-padded upper-case name
constexpr std::size_t kNameSize = 11;
constexpr std::size_t kMaxNameLength = 10;   // the 11th byte is always a NUL
constexpr std::size_t kTypeOffset = 11;      // 1 byte: 'C', 'N', 'L', 'D', ...
constexpr std::size_t kWidthOffset = 16;     // 1 byte: field width in the record
constexpr std::size_t kDecimalsOffset = 17;  // 1 byte: decimals of numeric fields

// Ends the list of field descriptors; the header may carry padding after it.
constexpr char kHeaderTerminator = 0x0D;
// Written after the last record; readers ignore anything past the counted records.
constexpr char kEofMarker = 0x1A;
// Other dBASE programs address a table with signed 32-bit offsets: nothing may lie past this.
constexpr std::uint64_t kMaxFileSize = 0x7FFFFFFF;

// First byte of every record.
constexpr char kActiveFlag = ' ';
constexpr char kDeletedFlag = '*';

}  // namespace xbase::dbf
