#include "Database.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "ConversionError.h"
#include "TableAccess.h"
#include "TestDatabase.h"
#include "xbase/Status.h"

namespace {

class DatabaseTest : public ::testing::Test {
 protected:
  // REQUIRES: GSTEXP1 open. Appends an expense through AppendExp.
  void addExpense(QDate date, int account, double amount, const QString& payTo = "Payee") {
    const ExpenseRecord record{.ExpDate = date,
                               .AccNo = account,
                               .FolNo = 1,
                               .PayTo = payTo,
                               .Amount = amount,
                               .EMemo = {}};
    ASSERT_NE(db.AppendExp(record), Database::kNotAppended);
  }
  // REQUIRES: FOLDER open.
  void addFolder(int number) {
    ASSERT_NE(db.AppendFolder({number, QStringLiteral("Folder %1").arg(number)}),
              Database::kNotAppended);
  }
  // Replaces a table's index group by one with just these tags.
  void replaceIndexGroup(const char* table, const std::string& group,
                         const std::vector<TAG4INFO>& tags) {
    CODE4* code = db.code();
    code4autoOpen(code, 0);
    code4safety(code, 0);
    DATA4* data = d4open(code, table);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(i4create(data, group, tags), xbase::kSuccess);
    code4close(code);
    code4autoOpen(code, 1);
    code4safety(code, 1);
  }

  TestDatabase t;
  Database& db = t.db;
};

TEST_F(DatabaseTest, CommitAfterWriteKeepsTagAndRecord) {
  db.OpenExp();
  // Record i gets account 11 - i, so the account order runs backwards through the table.
  for (int i = 1; i <= 10; ++i) addExpense(QDate(2025, 1, i), 11 - i, i * 10.0);
  d4tagSelectP(db.exp().data, db.exp().eAcc);
  ASSERT_EQ(d4go(db.exp().data, 7), xbase::kSuccess);
  db.ReadExp();
  ASSERT_EQ(db.expRecord().AccNo, 4);
  db.expRecord().Amount = 123.45;
  db.expRecord().PayTo = "Changed";
  db.WriteExp();

  DATA4* data = db.exp().data;
  ASSERT_NE(d4tagSelected(data), nullptr);
  EXPECT_EQ(d4tagSelected(data), db.exp().eAcc);
  EXPECT_EQ(d4recNo(data), 7);
  db.ReadExp();
  EXPECT_DOUBLE_EQ(db.expRecord().Amount, 123.45);
  EXPECT_EQ(db.expRecord().PayTo, QString("Changed").leftJustified(30));
  ASSERT_EQ(d4skip(data, 1), xbase::kSuccess);
  EXPECT_EQ(d4recNo(data), 6);  // account order, not record order

  // On disk at once: a second library instance sees the change.
  TestHost host;
  RecordingProgress progress;
  Database other(t.books.dir(), host, progress, t.clock);
  other.OpenExp();
  ASSERT_EQ(d4go(other.exp().data, 7), xbase::kSuccess);
  other.ReadExp();
  EXPECT_DOUBLE_EQ(other.expRecord().Amount, 123.45);
}

TEST_F(DatabaseTest, CommitKeepsAFreshlyAppendedRecordCurrent) {
  db.OpenFolder();
  addFolder(5);
  addFolder(3);
  addFolder(1);
  DATA4* data = db.folder().data;
  EXPECT_EQ(d4recNo(data), 3);
  EXPECT_EQ(d4tagSelected(data), db.folder().FolTag);
  db.ReadFolder();
  EXPECT_EQ(db.folderRecord().FolNo, 1);
  ASSERT_EQ(d4skip(data, 1), xbase::kSuccess);
  EXPECT_EQ(d4recNo(data), 2);  // folder 3 follows folder 1 in FolTag order
}

TEST_F(DatabaseTest, CommitWithoutTagStaysInRecordOrder) {
  db.OpenFolder();
  addFolder(5);
  addFolder(3);
  d4tagSelectP(db.folder().data, nullptr);
  ASSERT_EQ(d4go(db.folder().data, 1), xbase::kSuccess);
  db.folderRecord().FolName = "Renamed";
  db.WriteFolder();
  EXPECT_EQ(d4tagSelected(db.folder().data), nullptr);
  EXPECT_EQ(d4recNo(db.folder().data), 1);
  ASSERT_EQ(d4skip(db.folder().data, 1), xbase::kSuccess);
  EXPECT_EQ(d4recNo(db.folder().data), 2);
}

TEST_F(DatabaseTest, CommitRefusesAnUnknownName) {
  db.OpenFolder();
  EXPECT_THROW(db.CommitRecord(db.folder().data, "FOL"), std::invalid_argument);
  EXPECT_EQ(d4top(db.folder().data), xbase::kEof);  // still open
}

TEST_F(DatabaseTest, NextFreeFolderNoFindsTheFirstGap) {
  db.OpenFolder();
  EXPECT_EQ(db.NextFreeFolderNo(), 1);
  addFolder(4);
  addFolder(1);
  addFolder(2);
  EXPECT_EQ(db.NextFreeFolderNo(), 3);
  addFolder(3);
  EXPECT_EQ(db.NextFreeFolderNo(), 5);
}

TEST_F(DatabaseTest, NextFreeFolderNoCountsADeletedFolderAsFree) {
  db.OpenFolder();
  addFolder(1);
  addFolder(2);
  addFolder(3);
  EXPECT_EQ(db.NextFreeFolderNo(), 4);
  ASSERT_EQ(d4go(db.folder().data, 2), xbase::kSuccess);
  d4delete(db.folder().data);
  d4top(db.folder().data);  // writes the deletion and drops the key
  EXPECT_EQ(db.NextFreeFolderNo(), 2);
  EXPECT_EQ(d4recCountDo(db.folder().data), 3);
}

TEST_F(DatabaseTest, DeletedRecordsAreSkippedByTagsButCounted) {
  db.OpenExp();
  addExpense(QDate(2025, 1, 1), 1, 1);
  addExpense(QDate(2025, 1, 2), 1, 2);
  addExpense(QDate(2025, 1, 3), 1, 3);
  ASSERT_EQ(d4go(db.exp().data, 2), xbase::kSuccess);
  d4delete(db.exp().data);
  for (TAG4* tag : {db.exp().eDate, db.exp().eAcc}) {
    d4tagSelectP(db.exp().data, tag);
    std::vector<long> walked;
    for (int rc = d4top(db.exp().data); rc == xbase::kSuccess; rc = d4skip(db.exp().data, 1)) {
      walked.push_back(d4recNo(db.exp().data));
    }
    EXPECT_EQ(walked, (std::vector<long>{1, 3})) << tag->name();
  }
  EXPECT_EQ(d4recCountDo(db.exp().data), 3);
}

TEST_F(DatabaseTest, ExpenseKeysHoldDateAndAccountNumber) {
  db.OpenExp();
  addExpense(QDate(2001, 3, 2), 12, 50);
  addExpense(QDate(2001, 3, 3), 1, 60);
  DATA4* data = db.exp().data;
  EXPECT_EQ(db.exp().eDate->keyLength(), 12);
  EXPECT_EQ(db.exp().eAcc->keyLength(), 12);
  d4tagSelectP(data, db.exp().eDate);
  EXPECT_EQ(d4seek(data, "20010302  12"), xbase::kSuccess);
  EXPECT_EQ(d4recNo(data), 1);
  EXPECT_EQ(d4seek(data, "20010302  13"), xbase::kAfter);
  EXPECT_EQ(d4recNo(data), 2);
  d4tagSelectP(data, db.exp().eAcc);
  EXPECT_EQ(d4seek(data, "  1220010302"), xbase::kSuccess);
  EXPECT_EQ(d4recNo(data), 1);
}

TEST_F(DatabaseTest, BlankDatesReadAsNoDateAndDatesAreWindowed) {
  db.OpenExp();
  addExpense(QDate(), 1, 1);
  EXPECT_EQ(f4str(db.exp().ExpDate), "        ");
  db.ReadExp();
  EXPECT_FALSE(db.expRecord().ExpDate.isValid());
  addExpense(QDate(1950, 5, 17), 1, 1);  // the clock says 2026
  EXPECT_EQ(f4str(db.exp().ExpDate), "20500517");
  db.ReadExp();
  EXPECT_EQ(db.expRecord().ExpDate, QDate(2050, 5, 17));
  EXPECT_EQ(db.expRecord().PayTo, QString("Payee").leftJustified(30));
}

TEST_F(DatabaseTest, IncomeRoundTrip) {
  db.OpenInc();
  ASSERT_NE(db.AppendInc({5, QDate(2026, 1, 1), "Rent", 1100.0, 100.0, 2, true, true, false}),
            Database::kNotAppended);
  TestHost host;
  RecordingProgress progress;
  Database other(t.books.dir(), host, progress, t.clock);
  other.OpenInc();
  d4tagSelectP(other.inc().data, other.inc().IncAccTag);
  ASSERT_EQ(d4seek(other.inc().data, "   520260101"), xbase::kSuccess);
  other.ReadInc();
  const IncomeRecord& r = other.incRecord();
  EXPECT_EQ(r.IncAcc, 5);
  EXPECT_EQ(r.IncDate, QDate(2026, 1, 1));
  EXPECT_EQ(r.IncDesc, QString("Rent").leftJustified(30));
  EXPECT_DOUBLE_EQ(r.IncAmt, 1100.0);
  EXPECT_DOUBLE_EQ(r.GstI, 100.0);
  EXPECT_EQ(r.FolNo, 2);
  EXPECT_TRUE(r.lGstI);
  EXPECT_TRUE(r.IncImp);
  EXPECT_FALSE(r.Archive);
}

TEST_F(DatabaseTest, SettingsTextsAreCutTo59Characters) {
  db.OpenSettings();
  db.settingsRecord() = SettingsRecord{7, 1, QString(70, 'A'), 10, 12.5, "GST"};
  db.WriteSettings();
  d4close(db.code(), db.settings().data);
  db.OpenSettings();
  db.ReadSettings();
  const SettingsRecord& r = db.settingsRecord();
  EXPECT_EQ(r.FyMonth, 7);
  EXPECT_EQ(r.FyDay, 1);
  EXPECT_EQ(r.FontName, QString(59, 'A') + ' ');
  EXPECT_EQ(r.FontSize, 10);
  EXPECT_DOUBLE_EQ(r.GSTRate, 12.5);
  EXPECT_EQ(r.GSTString, QString("GST").leftJustified(60));
  EXPECT_EQ(d4recCountDo(db.settings().data), 1);
}

TEST_F(DatabaseTest, NumberTooWideIsRefusedAndRecordUntouched) {
  db.OpenExp();
  addExpense(QDate(2025, 5, 1), 3, 10.0, "Before");
  ExpenseRecord& r = db.expRecord();
  r.PayTo = "After";
  r.Amount = 12345678.9;
  try {
    db.WriteExp();
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(),
                 "The amount 12345678.90 is too large for its field (at most 999999.99).");
  }
  r.Amount = -1234567;
  EXPECT_THROW(db.WriteExp(), ConversionError);
  r.Amount = 1;
  r.AccNo = 12345;
  try {
    db.WriteExp();
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "The account number 12345 is too large for its field (at most 9999).");
  }
  // Nothing was assigned, so nothing reaches the disk either.
  EXPECT_EQ(f4str(db.exp().PayTo).substr(0, 6), "Before");
  d4close(db.code(), db.exp().data);
  db.OpenExp();
  db.ReadExp();
  EXPECT_DOUBLE_EQ(db.expRecord().Amount, 10.0);
  EXPECT_EQ(db.expRecord().AccNo, 3);
}

TEST_F(DatabaseTest, AppendRefusesATooWideNumberBeforeAppending) {
  db.OpenExp();
  addExpense(QDate(2025, 5, 1), 3, 10.0);
  const ExpenseRecord tooWide{
      .ExpDate = QDate(2025, 5, 2), .AccNo = 12345, .FolNo = 1, .PayTo = {}, .EMemo = {}};
  EXPECT_THROW(db.AppendExp(tooWide), ConversionError);
  EXPECT_EQ(d4recCountDo(db.exp().data), 1);  // no blank record left behind
}

TEST_F(DatabaseTest, NegativeTooWideNamesTheLowerLimit) {
  db.OpenSettings();
  db.settingsRecord() = SettingsRecord{1, 1, "", 0, -123.5, "GST"};
  try {
    db.WriteSettings();
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "The tax rate -123.5000 is too small for its field (at least -9.9999).");
  }
}

TEST_F(DatabaseTest, MissingTagEndsTheProgramNamingTheTag) {
  replaceIndexGroup(tables::kFolder, "Folder", {{"Other", "FOLNO", ".NOT. DELETED()"}});
  EXPECT_THROW(db.OpenFolder(), TestProgramEnd);
  ASSERT_EQ(t.host.messages.size(), 1);
  EXPECT_EQ(t.host.messages[0],
            "Unable to open file FolTag.Ntx\r\nThe index group of FOLDER does not list it.\r\n"
            "Program will now terminate.");
}

TEST_F(DatabaseTest, SecondExpenseTagIsLookedUpAfterTheFirst) {
  replaceIndexGroup(tables::kExpenses, "GSTEXP1",
                    {{"EDate", "DTOS(EXPDATE) + STR(ACCNO,4)", ".NOT. DELETED()"}});
  EXPECT_THROW(db.OpenExp(), TestProgramEnd);
  ASSERT_EQ(t.host.messages.size(), 1);
  EXPECT_EQ(t.host.messages[0],
            "Unable to open file eAcc.Ntx\r\nThe index group of GSTEXP1 does not list it.\r\n"
            "Program will now terminate.");
}

TEST_F(DatabaseTest, MissingTableEndsTheProgramNamingTheFile) {
  ASSERT_TRUE(QFile::remove(QString::fromStdString(t.books.path("ACC.dbf"))));
  EXPECT_THROW(db.OpenAcc(), TestProgramEnd);
  ASSERT_EQ(t.host.messages.size(), 1);
  EXPECT_EQ(t.host.messages[0],
            "Unable to open file ACC.DBF\r\nACC.dbf: file not found or cannot be opened\r\n"
            "Program will now terminate.");
}

TEST_F(DatabaseTest, FatalErrorNeverReturnsEvenIfTheHostDoes) {
  struct ReturningHost : ProgramHost {
    void tell(const QString& message) override {
      std::fprintf(stderr, "told: %s\n", qPrintable(message));
    }
    void endWith(int) override {}
  } host;
  Database other(t.books.dir(), host, t.progress, t.clock);
  EXPECT_DEATH(other.FatalOpenError("X.DBF"), "told: Unable to open file X.DBF");
}

}  // namespace

TEST_F(DatabaseTest, ATableAtTheDbaseSizeLimitRefusesTheAppendAndTheBooksGoOn) {
  db.OpenExp();
  addExpense(QDate(2026, 1, 5), 1, 10.0);
  code4close(db.code());
  // Grow the table, sparsely, to the last whole record below 2 GB.
  const QString path = QString::fromStdString(t.books.dir()) + "/GSTEXP1.dbf";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  const QByteArray header = file.read(12);
  const auto u16 = [&](int at) { return quint8(header[at]) | quint8(header[at + 1]) << 8; };
  const qint64 headerLength = u16(8), recordLength = u16(10);
  const quint32 count = (0x7FFFFFFF - 1 - headerLength) / recordLength;
  const qint64 end = headerLength + qint64(count) * recordLength;
  ASSERT_TRUE(file.resize(end));
  ASSERT_TRUE(file.seek(end) && file.putChar(0x1A));
  const char countBytes[4] = {char(count), char(count >> 8), char(count >> 16), char(count >> 24)};
  ASSERT_TRUE(file.seek(4) && file.write(countBytes, 4) == 4);
  file.close();

  db.OpenExp();
  ExpenseRecord beyond;
  beyond.ExpDate = QDate(2026, 1, 6);
  EXPECT_EQ(db.AppendExp(beyond), Database::kNotAppended);
  EXPECT_TRUE(db.AppendRefusedMessage().contains("GSTEXP1.dbf cannot grow past 2 GB"))
      << db.AppendRefusedMessage().toStdString();
  EXPECT_EQ(code4errorCode(db.code(), 0), 0) << "the refusal left an error for the next command";
  EXPECT_EQ(QFileInfo(path).size(), end + 1);
  db.OpenFolder();
  addFolder(9);
  EXPECT_EQ(db.AppendRefusedMessage(), "Unable to Add Record at this time . . . ");
}
