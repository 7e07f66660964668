// Text as the tables hold it: bytes of the code page their header names (byte 29, the
// language driver), Windows-1252 where it names none. Read and written through here, so
// that what the program shows and exports is Unicode while the tables keep their bytes.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

class TableText {
 public:
  // The header's language driver bytes this program knows: DOS US (437), DOS
  // multilingual (850) and Windows ANSI (1252, also for 0: no driver named).
  static constexpr std::uint8_t kDos437 = 0x01;
  static constexpr std::uint8_t kDos850 = 0x02;
  static constexpr std::uint8_t kWindows1252 = 0x03;

  static QString Decode(std::string_view bytes, std::uint8_t languageDriver);
  // Characters the code page lacks become '?'.
  static std::string Encode(const QString& text, std::uint8_t languageDriver);
};
