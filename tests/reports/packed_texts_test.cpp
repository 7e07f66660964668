#include <gtest/gtest.h>

#include "PackedTexts.h"

namespace {

// Lists of every shape read back as written, across block boundaries and past a block's
// size, after enough lines to fill several blocks.
TEST(PackedTexts, ReadsBackEveryListAcrossBlocks) {
  PackedTexts packed;
  std::vector<QStringList> written;
  const QString big(700'000, QChar(0x20AC));  // two megabytes of UTF-8 in one text
  for (int i = 0; i < 60'000; ++i) {
    QStringList texts{QString::number(i), QString(), QStringLiteral("Café %1").arg(i % 97)};
    if (i % 20'000 == 7) texts.append(big);
    if (i % 1'000 == 3) texts = {};
    packed.Append(texts);
    written.push_back(texts);
  }
  ASSERT_EQ(packed.Size(), written.size());
  for (std::size_t i = 0; i < written.size(); ++i) ASSERT_EQ(packed.At(i), written[i]) << i;
  packed.Clear();
  EXPECT_EQ(packed.Size(), 0u);
}

}  // namespace
