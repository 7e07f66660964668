// Table text is read by the code page its header names and written back to the same bytes.
#include <gtest/gtest.h>

#include "TableText.h"

namespace {

struct CodePageCase {
  std::uint8_t driver;
  std::string bytes;
  QString text;
};

class TableTextTest : public testing::TestWithParam<CodePageCase> {};

TEST_P(TableTextTest, BytesReadAsTheirCodePageAndWrittenBackAsTheyWere) {
  const CodePageCase& c = GetParam();
  EXPECT_EQ(TableText::Decode(c.bytes, c.driver), c.text);
  EXPECT_EQ(TableText::Encode(c.text, c.driver), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(CodePages, TableTextTest,
                         testing::Values(CodePageCase{0x00,
                                                      "Caf\xE9 \x80"
                                                      "5 \x93q\x94",
                                                      QStringLiteral(u"Café €5 “q”")},
                                         CodePageCase{TableText::kWindows1252, "\x81\x9D",
                                                      QStringLiteral(u"\u0081\u009D")},
                                         CodePageCase{TableText::kDos437,
                                                      "Caf\x82 \x9C"
                                                      "5",
                                                      QStringLiteral(u"Café £5")},
                                         CodePageCase{TableText::kDos850, "\x9D\xB8",
                                                      QStringLiteral(u"Ø©")}));

TEST(TableText, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(TableText::Encode(QStringLiteral(u"1€ 漢"), TableText::kDos437), "1? ?");
}

}  // namespace
