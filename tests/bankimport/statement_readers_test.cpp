// The statement readers on files shaped like real banks' exports, and their refusals.
#include <gtest/gtest.h>

#include "StatementFile.h"
#include "StatementText.h"

namespace {

struct Expected {
  const char* file;
  int lines;
  const char* account;
  // The first and the last line.
  QDate firstDate;
  double firstAmount;
  const char* firstDescription;
  QDate lastDate;
  double lastAmount;
  const char* lastId;
};

class ReadsBankFile : public ::testing::TestWithParam<Expected> {};

TEST_P(ReadsBankFile, LinesComeOutWithSignedAmountsAndTheirDates) {
  const Expected& e = GetParam();
  const StatementFile::Result read = StatementFile::Read(
      QStringLiteral(TEST_SOURCE_DIR "/bankimport/statements/") + e.file, std::nullopt);
  ASSERT_TRUE(read.ok) << read.message.toStdString();
  const auto& lines = read.statement.lines;
  ASSERT_EQ(static_cast<int>(lines.size()), e.lines);
  EXPECT_EQ(read.statement.account, QString::fromUtf8(e.account));
  EXPECT_EQ(lines.front().date, e.firstDate);
  EXPECT_DOUBLE_EQ(lines.front().amount, e.firstAmount);
  EXPECT_EQ(lines.front().description, QString::fromUtf8(e.firstDescription));
  EXPECT_EQ(lines.back().date, e.lastDate);
  EXPECT_DOUBLE_EQ(lines.back().amount, e.lastAmount);
  EXPECT_EQ(lines.back().bankId, QString::fromUtf8(e.lastId));
}

INSTANTIATE_TEST_SUITE_P(
    Banks, ReadsBankFile,
    ::testing::Values(
        // BOM, CRLF, day-first dates, paid out and paid in columns, a quoted separator
        Expected{"uk_paid_out_in.csv", 4, "", QDate(2024, 1, 5), -3.45, "COSTA COFFEE LONDON",
                 QDate(2024, 1, 14), -3.45, ""},
        // month-first dates, signed amounts with thousands separators, a detail column first
        Expected{"us_signed.csv", 4, "", QDate(2024, 1, 13), -84.12, "WHOLE FOODS MARKET #123",
                 QDate(2024, 1, 20), -1100.0, ""},
        // account lines before the columns, semicolons, decimal commas, dotted dates
        Expected{"de_semicolon.csv", 3, "", QDate(2024, 1, 2), -23.45, "REWE Markt Berlin",
                 QDate(2024, 1, 31), -1050.0, ""},
        // no header: the columns found from what they hold (the balance left out)
        Expected{"no_header.csv", 3, "", QDate(2024, 2, 1), -45.0,
                 "CARD PAYMENT TO TESCO STORES 2041", QDate(2024, 2, 7), -9.99, ""},
        // parentheses, a currency symbol, DR and CR
        Expected{"parentheses.csv", 4, "", QDate(2024, 3, 1), -45.0, "Stationery World",
                 QDate(2024, 3, 4), 0.87, ""},
        Expected{"checking_v1.ofx", 3, "0009876543", QDate(2024, 1, 5), -45.10,
                 "SHELL OIL 5744 FUEL", QDate(2024, 1, 12), 1500.0, "202401120003"},
        Expected{"card_v2.qfx", 2, "4111XXXXXXXX1111", QDate(2024, 2, 3), -129.99,
                 "ADOBE *CREATIVE CLOUD", QDate(2024, 2, 10), 25.0, "FT24041XYZ02"},
        // QIF's 1/25'24 dates, an !Account block naming the account, U for the amount
        Expected{"savings.qif", 3, "Business Savings", QDate(2024, 1, 25), -1250.0,
                 "CITY COUNCIL Rates Q1", QDate(2024, 2, 14), -19.95, ""}),
    [](const ::testing::TestParamInfo<Expected>& info) {
      return QString::fromLatin1(info.param.file).section('.', 0, 0).toStdString();
    });

TEST(StatementFile, ChequeNumbersAndEntitiesOfOfxComeThrough) {
  const StatementFile::Result read = StatementFile::Read(
      QStringLiteral(TEST_SOURCE_DIR "/bankimport/statements/checking_v1.ofx"), std::nullopt);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.statement.lines[1].checkNo, 1046);
  EXPECT_EQ(read.statement.lines[2].description, QStringLiteral("SMITH & SONS INVOICE 77"));
}

struct BadFile {
  const char* name;
  const char* text;
  const char* message;
};

class RefusesBadLine : public ::testing::TestWithParam<BadFile> {};

TEST_P(RefusesBadLine, NamingTheLineAndTheFault) {
  const BadFile& bad = GetParam();
  const StatementFile::Result read = StatementFile::ReadText(
      QString::fromUtf8(bad.text), QString::fromLatin1(bad.name), std::nullopt);
  EXPECT_FALSE(read.ok);
  EXPECT_EQ(read.message.toStdString(), bad.message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusesBadLine,
    ::testing::Values(
        BadFile{"amount.csv",
                "Date,Description,Amount\n2024-01-02,A,-1.00\n2024-01-03,B,l2.50\n"
                "2024-01-04,C,3.00\n",
                "Line 3: 'l2.50' is not an amount"},
        BadFile{"date.csv", "Date,Description,Amount\n2024-01-02,A,-1.00\n2024-13-03,B,2.50\n",
                "Line 3: '2024-13-03' is not a date"},
        BadFile{"short.csv",
                "Date,Description,Amount\n2024-01-02,A,-1.00\n2024-01-03,B\n"
                "2024-01-04,C,3.00\n",
                "Line 3: it has 2 columns where the statement has 3"},
        BadFile{"mixed.csv", "Date,Description,Amount\n13/01/2024,A,1\n01/13/2024,B,2\n",
                "Line 3: the dates are written day-first on line 2 and month-first on line 3"},
        BadFile{"qif.qif", "!Type:Bank\nD01/22/2024\nT-1.00\n^\nD01/23/2024\nTtwelve\n^\n",
                "Line 6: 'twelve' is not an amount"},
        BadFile{"ofx.ofx",
                "<OFX><STMTTRN>\n<DTPOSTED>20240101\n<TRNAMT>-1.00\n</STMTTRN>\n"
                "<STMTTRN>\n<DTPOSTED>20241301\n<TRNAMT>-2.00\n</STMTTRN></OFX>\n",
                "Line 6: '20241301' is not a date"},
        BadFile{"notofx.ofx", "hello\n", "Line 1: this is not an OFX file (no <OFX> element)"}),
    [](const ::testing::TestParamInfo<BadFile>& info) {
      return QString::fromLatin1(info.param.name).section('.', 0, 0).toStdString();
    });

TEST(StatementFile, DatesEitherWayRoundAreAskedAboutAndReadAsTold) {
  const QString text = QStringLiteral("Date,Description,Amount\n03/04/2024,A,-1.00\n");
  const StatementFile::Result unknown = StatementFile::ReadText(text, "a.csv", std::nullopt);
  EXPECT_FALSE(unknown.ok);
  EXPECT_TRUE(unknown.datesAmbiguous);
  const StatementFile::Result told =
      StatementFile::ReadText(text, "a.csv", std::nullopt, DateOrder::MonthFirst);
  ASSERT_TRUE(told.ok);
  EXPECT_EQ(told.statement.lines[0].date, QDate(2024, 3, 4));
}

TEST(StatementText, AmountsAsBanksWriteThem) {
  const std::pair<const char*, double> cases[] = {
      {"-1,234.56", -1234.56}, {"1.234,56", 1234.56}, {"(45.00)", -45.0}, {"45.00-", -45.0},
      {"EUR 12,50", 12.5},     {"$ -3.10", -3.1},     {"7.50 DR", -7.5},  {"1 234,50", 1234.5},
      {"+0.99", 0.99},         {"1,000", 1000.0}};
  for (const auto& [text, value] : cases) {
    const auto amount = StatementText::Amount(QString::fromUtf8(text));
    ASSERT_TRUE(amount.has_value()) << text;
    EXPECT_DOUBLE_EQ(*amount, value) << text;
  }
  EXPECT_DOUBLE_EQ(*StatementText::Amount(QStringLiteral("1.234"), true), 1234.0);
  for (const char* bad : {"", "abc", "12a4", "1,23,4", "--"})
    EXPECT_FALSE(StatementText::Amount(QString::fromUtf8(bad)).has_value()) << bad;
}

}  // namespace
