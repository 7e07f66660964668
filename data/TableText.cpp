#include "TableText.h"

#include <algorithm>
#include <array>

namespace {

using HighHalf = std::array<char16_t, 128>;  // bytes 0x80 to 0xFF

// Windows-1252: Latin-1 but for 0x80 to 0x9F; the five bytes it leaves undefined keep
// their C1 control codes, so that every byte reads back as it was.
constexpr HighHalf kWindows1252 = [] {
  HighHalf half{};
  for (int i = 0; i < 128; ++i) half[i] = static_cast<char16_t>(0x80 + i);
  constexpr char16_t c1[32] = {
      u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
      u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
      u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
      u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};
  for (int i = 0; i < 32; ++i) half[i] = c1[i];
  return half;
}();

constexpr HighHalf kDos437 = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç',     u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä',
    u'Å', u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û',     u'ù', u'ÿ', u'Ö', u'Ü', u'¢', u'£', u'¥',
    u'₧', u'ƒ', u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ',     u'ª', u'º', u'¿', u'⌐', u'¬', u'½', u'¼',
    u'¡', u'«', u'»', u'░', u'▒', u'▓', u'│', u'┤',     u'╡', u'╢', u'╖', u'╕', u'╣', u'║', u'╗',
    u'╝', u'╜', u'╛', u'┐', u'└', u'┴', u'┬', u'├',     u'─', u'┼', u'╞', u'╟', u'╚', u'╔', u'╩',
    u'╦', u'╠', u'═', u'╬', u'╧', u'╨', u'╤', u'╥',     u'╙', u'╘', u'╒', u'╓', u'╫', u'╪', u'┘',
    u'┌', u'█', u'▄', u'▌', u'▐', u'▀', u'α', u'ß',     u'Γ', u'π', u'Σ', u'σ', u'µ', u'τ', u'Φ',
    u'Θ', u'Ω', u'δ', u'∞', u'φ', u'ε', u'∩', u'≡',     u'±', u'≥', u'≤', u'⌠', u'⌡', u'÷', u'≈',
    u'°', u'∙', u'·', u'√', u'ⁿ', u'²', u'■', u'\u00A0'};

constexpr HighHalf kDos850 = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç',      u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä',
    u'Å', u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û',      u'ù', u'ÿ', u'Ö', u'Ü', u'ø', u'£', u'Ø',
    u'×', u'ƒ', u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ',      u'ª', u'º', u'¿', u'®', u'¬', u'½', u'¼',
    u'¡', u'«', u'»', u'░', u'▒', u'▓', u'│', u'┤',      u'Á', u'Â', u'À', u'©', u'╣', u'║', u'╗',
    u'╝', u'¢', u'¥', u'┐', u'└', u'┴', u'┬', u'├',      u'─', u'┼', u'ã', u'Ã', u'╚', u'╔', u'╩',
    u'╦', u'╠', u'═', u'╬', u'¤', u'ð', u'Ð', u'Ê',      u'Ë', u'È', u'ı', u'Í', u'Î', u'Ï', u'┘',
    u'┌', u'█', u'▄', u'¦', u'Ì', u'▀', u'Ó', u'ß',      u'Ô', u'Ò', u'õ', u'Õ', u'µ', u'þ', u'Þ',
    u'Ú', u'Û', u'Ù', u'ý', u'Ý', u'¯', u'´', u'\u00AD', u'±', u'‗', u'¾', u'¶', u'§', u'÷', u'¸',
    u'°', u'¨', u'·', u'¹', u'³', u'²', u'■', u'\u00A0'};

const HighHalf& highHalf(std::uint8_t languageDriver) {
  switch (languageDriver) {
    case TableText::kDos437:
      return kDos437;
    case TableText::kDos850:
      return kDos850;
    default:
      return kWindows1252;
  }
}

}  // namespace

QString TableText::Decode(std::string_view bytes, std::uint8_t languageDriver) {
  const HighHalf& half = highHalf(languageDriver);
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    text[static_cast<qsizetype>(i)] = QChar(byte < 0x80 ? char16_t(byte) : half[byte - 0x80]);
  }
  return text;
}

std::string TableText::Encode(const QString& text, std::uint8_t languageDriver) {
  const HighHalf& half = highHalf(languageDriver);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
      bytes.push_back(static_cast<char>(u));
      continue;
    }
    const auto* found = std::find(half.begin(), half.end(), u);
    bytes.push_back(found == half.end() ? '?' : static_cast<char>(0x80 + (found - half.begin())));
  }
  return bytes;
}
