// Payment files written by an independent program, Python's dbf module, in its dBASE
// III (memo: version 0x83), FoxPro (0xF5) and Visual FoxPro (0x30) flavours, each with a
// memo field, blank dates and a deleted payment: the import reads what Billwise-like
// programs write, not only what our engine writes.
#include <gtest/gtest.h>

#include "PaymentFiles.h"
#include "PythonDbfFixture.h"

namespace {

using python_peer::PeerTable;
using python_peer::Row;

struct Flavour {
  const char* type;  // the dbf module's table type
  unsigned char version;
};

void PrintTo(const Flavour& f, std::ostream* os) { *os << f.type; }

class PythonPaymentFile : public python_peer::PythonDbfInterop,
                          public testing::WithParamInterface<Flavour> {
 protected:
  PeerTable paymentTable(std::vector<python_peer::FieldInfo> fields) const {
    PeerTable table{"gstpmt", GetParam().type, std::move(fields), {}};
    return table;
  }
  static std::vector<python_peer::FieldInfo> billwise() {
    return {{"IVNO", 'C', 10, 0}, {"PDATE", 'D', 8, 0}, {"PAMT", 'N', 10, 2},
            {"GST", 'N', 10, 2},  {"LGST", 'L', 1, 0},  {"NOTES", 'M', 10, 0}};
  }
  static Row row(const char* invoice, QJsonValue date, double amount, double gst,
                 QJsonValue includesGst, bool deleted = false) {
    return Row{{QString::fromLatin1(invoice), date, amount, gst, includesGst,
                QStringLiteral("Paid by card; receipt kept")},
               deleted};
  }

  MaintenanceBooks books;
};

TEST_P(PythonPaymentFile, ImportsTheValidPaymentsOfTheRange) {
  PeerTable table = paymentTable(billwise());
  table.rows = {row(" 1001", "20240105", 110.00, 10.00, true),
                row("1002", QJsonValue::Null, 55.00, 5.00, true),  // no date
                row("1003", "20240131", 220.50, 0.00, false),
                row("1004", "20240120", 99.00, 9.00, true, true),  // deleted
                row("1005", "20240201", 33.00, 3.00, QJsonValue::Null)};
  writeWithPython(table);
  const QByteArray file = MaintenanceBooks::fileBytes(QString::fromStdString(path(table)));
  ASSERT_FALSE(file.isEmpty());
  EXPECT_EQ(static_cast<unsigned char>(file[0]), GetParam().version);

  const PaymentImporter::Result result = importPayments(books, QString::fromStdString(path(table)),
                                                        QDate(2024, 1, 1), QDate(2024, 1, 31));
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  const std::vector<IncomeRecord> income = books.income();
  ASSERT_EQ(income.size(), 2u);
  EXPECT_EQ(income[0].IncDesc.trimmed(), QStringLiteral("Payment on Invoice #1001"));
  EXPECT_EQ(income[0].IncDate, QDate(2024, 1, 5));
  EXPECT_EQ(income[0].IncAmt, 110.00);
  EXPECT_EQ(income[0].GstI, 10.00);
  EXPECT_TRUE(income[0].lGstI);
  EXPECT_TRUE(income[0].IncImp);
  EXPECT_EQ(income[1].IncDesc.trimmed(), QStringLiteral("Payment on Invoice #1003"));
  EXPECT_EQ(income[1].IncAmt, 220.50);
  EXPECT_FALSE(income[1].lGstI);
  // The other program's file is as it wrote it.
  EXPECT_EQ(MaintenanceBooks::fileBytes(QString::fromStdString(path(table))), file);
}

TEST_P(PythonPaymentFile, WithoutTheIncludesTaxFieldIsRefused) {
  std::vector<python_peer::FieldInfo> fields = billwise();
  fields.erase(fields.begin() + 4);
  PeerTable table = paymentTable(fields);
  table.rows = {Row{{"1001", "20240105", 110.00, 10.00, "memo"}}};
  writeWithPython(table);
  const QByteArray before = books.bytes("GSTINC1.dbf");
  const PaymentImporter::Result result = importPayments(books, QString::fromStdString(path(table)),
                                                        QDate(2024, 1, 1), QDate(2024, 1, 31));
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.message.contains(QStringLiteral("its field LGST is missing")))
      << result.message.toStdString();
  EXPECT_EQ(books.bytes("GSTINC1.dbf"), before);
}

INSTANTIATE_TEST_SUITE_P(Python, PythonPaymentFile,
                         testing::Values(Flavour{"db3", 0x83}, Flavour{"fp", 0xF5},
                                         Flavour{"vfp", 0x30}),
                         [](const testing::TestParamInfo<Flavour>& info) {
                           return std::string(info.param.type);
                         });

}  // namespace
