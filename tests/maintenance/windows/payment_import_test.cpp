// Payment import: the payments of the range become imported income, a second import of
// the range replaces the first, income entered by hand stays, payments without a valid
// date or deleted in Billwise never come in, and a payment file that cannot be imported
// whole is refused before anything changes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "DatePicker.h"
#include "PaymentFiles.h"
#include "PaymentImportDialog.h"
#include "ReadOnlyFileSystem.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "TestShell.h"

namespace {

const QDate kFirst(2024, 1, 1);
const QDate kLast(2024, 1, 31);

std::vector<PaymentRow> januaryPayments() {
  return {
      {"20240101", "110.00", "10.00", "T", "  INV-1  "},  // first day of the range
      {"20231231", "99.00", "9.00", "T", "INV-0"},        // before it
      {"", "55.00", "5.00", "T", "NODATE"},               // no date: never imported
      {"20240231", "66.00", "6.00", "T", "BADDATE"},      // no such day
      {"20240115", "77.00", "7.00", "T", "GONE", true},   // deleted in Billwise
      {"20240131", "220.50", "0.00", "F", "INV-2"},       // last day
      {"20240201", "33.00", "3.00", "T", "INV-3"},        // after the range
  };
}

class PaymentImport : public testing::Test {
 protected:
  void SetUp() override {
    payments = dir.file("gstpmt.dbf");
    writePaymentFile(payments, billwiseFields(), januaryPayments());
  }
  PaymentImporter::Result import() {
    return importPayments(books, QString::fromStdString(payments), kFirst, kLast);
  }
  std::vector<IncomeRecord> imported() {
    std::vector<IncomeRecord> records;
    for (const IncomeRecord& r : books.income()) {
      if (r.IncImp) records.push_back(r);
    }
    return records;
  }

  MaintenanceBooks books;
  TempDir dir;
  std::string payments;
};

TEST_F(PaymentImport, ThePaymentsOfTheRangeBecomeImportedIncome) {
  const PaymentImporter::Result result = import();
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  EXPECT_EQ(result.imported, 2);
  EXPECT_EQ(result.deleted, 0);
  const std::vector<IncomeRecord> records = imported();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].IncDesc.trimmed(), QStringLiteral("Payment on Invoice #INV-1"));
  EXPECT_EQ(records[0].IncDate, kFirst);
  EXPECT_EQ(records[0].IncAmt, 110.00);
  EXPECT_EQ(records[0].GstI, 10.00);
  EXPECT_TRUE(records[0].lGstI);
  EXPECT_EQ(records[0].IncAcc, 3);
  EXPECT_EQ(records[0].FolNo, 2);
  EXPECT_FALSE(records[0].Archive);
  EXPECT_EQ(records[1].IncDesc.trimmed(), QStringLiteral("Payment on Invoice #INV-2"));
  EXPECT_EQ(records[1].IncDate, kLast);
  EXPECT_EQ(records[1].IncAmt, 220.50);
  EXPECT_FALSE(records[1].lGstI);
  EXPECT_EQ(books.progress.statuses.front(), QStringLiteral("Loading Payments"));
  EXPECT_EQ(books.progress.statuses.back(), QString());
}

TEST_F(PaymentImport, TheSameRangeTwiceLeavesOneRecordPerPaymentAndHandEnteredIncome) {
  books.addIncome(QDate(2024, 1, 10), 3, 500.00, false, QStringLiteral("Cash sale"));
  books.addIncome(QDate(2023, 12, 20), 3, 40.00, true, QStringLiteral("December import"));
  ASSERT_TRUE(import().ok);
  const PaymentImporter::Result again = import();
  ASSERT_TRUE(again.ok);
  EXPECT_EQ(again.deleted, 2);
  EXPECT_EQ(again.imported, 2);
  QStringList live;
  for (const IncomeRecord& r : books.income()) live.append(r.IncDesc.trimmed());
  live.sort();
  EXPECT_EQ(live, (QStringList{"Cash sale", "December import", "Payment on Invoice #INV-1",
                               "Payment on Invoice #INV-2"}));
}

TEST_F(PaymentImport, ThePaymentFileIsNeverWritten) {
  const QByteArray before = MaintenanceBooks::fileBytes(QString::fromStdString(payments));
  ASSERT_TRUE(import().ok);
  EXPECT_EQ(MaintenanceBooks::fileBytes(QString::fromStdString(payments)), before);
  ReadOnlyFileSystem files(xbase::FileSystem::posix());
  int error = 0;
  auto file = files.open(payments, xbase::OpenMode::ReadWrite, xbase::LockMode::Shared, &error);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->write(0, "x", 1));
  EXPECT_EQ(files.open(dir.file("new.dbf"), xbase::OpenMode::Create, xbase::LockMode::None, &error),
            nullptr);
  EXPECT_FALSE(files.remove(payments));
}

TEST_F(PaymentImport, AJunkAmountOutsideTheRangeDoesNotMatter) {
  std::vector<PaymentRow> rows = januaryPayments();
  rows[1].amount = "*****";
  writePaymentFile(payments, billwiseFields(), rows);
  EXPECT_EQ(import().imported, 2);
}

struct Refusal {
  const char* name;
  std::vector<xbase::FieldSpec> fields;
  std::vector<PaymentRow> rows;
  const char* message;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.name; }

class PaymentFileRefused : public testing::TestWithParam<Refusal> {};

TEST_P(PaymentFileRefused, ChangesNothing) {
  MaintenanceBooks books;
  books.addIncome(QDate(2024, 1, 5), 3, 40.00, true, QStringLiteral("Earlier import"));
  TempDir dir;
  writePaymentFile(dir.file("gstpmt.dbf"), GetParam().fields, GetParam().rows);
  const QByteArray before = books.bytes("GSTINC1.dbf");
  const QString path = QString::fromStdString(dir.file("gstpmt.dbf"));
  const PaymentImporter::Result result = importPayments(books, path, kFirst, kLast);
  EXPECT_FALSE(result.ok);
  // The messages name the file: PATH stands for it, and so does a leading line break.
  QString expected = QString::fromLatin1(GetParam().message).replace(QStringLiteral("PATH"), path);
  if (expected.startsWith(QStringLiteral("\r\n"))) expected.prepend(path);
  EXPECT_EQ(result.message, expected);
  EXPECT_EQ(books.bytes("GSTINC1.dbf"), before);
}

std::vector<xbase::FieldSpec> without(const char* name) {
  std::vector<xbase::FieldSpec> fields = billwiseFields();
  std::erase_if(fields, [&](const xbase::FieldSpec& f) { return f.name == name; });
  return fields;
}

std::vector<xbase::FieldSpec> retyped(const char* name, char type, int width) {
  std::vector<xbase::FieldSpec> fields = billwiseFields();
  for (xbase::FieldSpec& f : fields) {
    if (f.name == name) f = {name, type, width, 0};
  }
  return fields;
}

std::vector<PaymentRow> oneRow(PaymentRow row) {
  return {{"20240110", "10.00", "1.00", "T", "OK-1"}, row};
}

INSTANTIATE_TEST_SUITE_P(
    Import, PaymentFileRefused,
    testing::Values(
        Refusal{"NoInvoiceNumber", without("IVNO"), januaryPayments(),
                "\r\nis not a valid Billwise Payment file: its field IVNO is missing or not "
                "text.\r\nNothing was imported."},
        Refusal{"NoDate", without("PDATE"), januaryPayments(),
                "\r\nis not a valid Billwise Payment file: its field PDATE is missing or not a "
                "date.\r\nNothing was imported."},
        Refusal{"AmountAsText", retyped("PAMT", 'C', 10), januaryPayments(),
                "\r\nis not a valid Billwise Payment file: its field PAMT is missing or not a "
                "number.\r\nNothing was imported."},
        Refusal{"FlagAsText", retyped("LGST", 'C', 1), januaryPayments(),
                "\r\nis not a valid Billwise Payment file: its field LGST is missing or not a "
                "logical value.\r\nNothing was imported."},
        Refusal{"OverflowedAmount", billwiseFields(),
                oneRow({"20240120", "**********", "1.00", "T", "STARS"}),
                "Payment record 2 of PATH (invoice #STARS) holds \"**********\" in its field "
                "PAMT, which is not a number.\r\nNothing was imported."},
        Refusal{"JunkTax", billwiseFields(), oneRow({"20240120", "5.00", "1.0.0", "T", "JUNK"}),
                "Payment record 2 of PATH (invoice #JUNK) holds \"1.0.0\" in its field GST, "
                "which is not a number.\r\nNothing was imported."},
        Refusal{"TooLargeForIncome",
                {{"IVNO", 'C', 10},
                 {"PDATE", 'D', 8},
                 {"PAMT", 'N', 14, 2},
                 {"GST", 'N', 14, 2},
                 {"LGST", 'L', 1}},
                oneRow({"20240120", "1234567.89", "0.00", "F", "BIG"}),
                "The payment on invoice #BIG dated 20/1/24 (1,234,567.89, tax 0.00) is too "
                "large for an income record.\r\nNothing was imported."}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(PaymentFileUnreadable, IsRefusedAsUnableToOpen) {
  MaintenanceBooks books;
  TempDir dir;
  {
    std::FILE* damaged = std::fopen(dir.file("gstpmt.dbf").c_str(), "wb");
    ASSERT_NE(damaged, nullptr);
    std::fputs("not a table", damaged);
    std::fclose(damaged);
  }
  const QString path = QString::fromStdString(dir.file("gstpmt.dbf"));
  const PaymentImporter::Result result = importPayments(books, path, kFirst, kLast);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message, QStringLiteral("Unable to Open ") + path);
  const QString missing = QString::fromStdString(dir.file("none/gstpmt.dbf"));
  EXPECT_EQ(importPayments(books, missing, kFirst, kLast).message,
            QStringLiteral("Unable to Open ") + missing);
}

}  // namespace
