// Damaged books through the tool, as a user meets them: the damage is made by editing the
// files' bytes, and what the tool leaves is read back from the bytes, not through the
// engine. No command may lose a record or report wrong figures as a success.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "CliBooks.h"
#include "CliProcess.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace {

quint32 readU32(const QByteArray& bytes, int at) {
  return quint8(bytes[at]) | quint8(bytes[at + 1]) << 8 | quint8(bytes[at + 2]) << 16 |
         quint32(quint8(bytes[at + 3])) << 24;
}

void writeAt(const QString& path, qint64 at, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.seek(at));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray u32(quint32 value) {
  const char bytes[4] = {char(value), char(value >> 8), char(value >> 16), char(value >> 24)};
  return QByteArray(bytes, 4);
}

// The counted records of a table file: from the header's length, its count times its
// record length.
QByteArray countedRecords(const QString& path) {
  const QByteArray bytes = fileBytes(path);
  const int header = quint8(bytes[8]) | quint8(bytes[9]) << 8;
  const int record = quint8(bytes[10]) | quint8(bytes[11]) << 8;
  return bytes.mid(header, qint64(readU32(bytes, 4)) * record);
}

class DamagedBooks : public testing::Test {
 protected:
  CliRun gstSummary() {
    return runCli({"report", "gst-summary", "--from", "2023-07-01", "--to", "2024-06-30",
                   "--all-folders", "--format", "tab"},
                  books.dir());
  }

  CliBooks books;
};

TEST_F(DamagedBooks, ARecordCountTooSmallIsCountedBackInAndTheReportIsRight) {
  const CliRun sound = gstSummary();
  ASSERT_EQ(sound.status, 0) << sound.err.toStdString();
  const QString table = books.file("GSTEXP1.dbf");
  const QByteArray records = countedRecords(table);
  const quint32 count = readU32(fileBytes(table), 4);
  ASSERT_GT(count, 3u);
  for (quint32 damaged : {0u, count - 3}) {
    writeAt(table, 4, u32(damaged));
    const CliRun run = gstSummary();
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, sound.out);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("GSTEXP1 was repaired: counted in the %1 records").arg(count - damaged)))
        << run.err.toStdString();
    EXPECT_EQ(countedRecords(table), records);
  }
}

// A leaf page past the root is read only as a walk reaches it: the report stops there.
TEST_F(DamagedBooks, AScribbledIndexPageStopsTheReportNamingItAndTheNextStartMendsIt) {
  {
    xbase::Engine engine(xbase::FileSystem::posix(), books.dir());
    xbase::Table* expenses = engine.open("GSTEXP1");
    ASSERT_NE(expenses, nullptr);
    for (int i = 0; i < 200; ++i) {
      ASSERT_EQ(expenses->appendBlank(), xbase::kSuccess);
      expenses->field("ExpDate")->assign("20240201");
      expenses->field("AccNo")->assignInteger(30);
      expenses->field("FolNo")->assignInteger(1);
      expenses->field("Amount")->assignDouble(1.25);
    }
    ASSERT_EQ(engine.closeAll(), xbase::kSuccess);
  }
  const CliRun sound = gstSummary();
  ASSERT_EQ(sound.status, 0) << sound.err.toStdString();
  const qint64 size = QFileInfo(books.file("EAcc.ntx")).size();
  ASSERT_GE(size, 4 * 1024) << "the tag needs pages past its root";
  writeAt(books.file("EAcc.ntx"), size - 1024, QByteArray(1024, '\xFF'));
  const CliRun damaged = gstSummary();
  EXPECT_EQ(damaged.status, 1);
  EXPECT_TRUE(damaged.out.isEmpty()) << "wrong figures written";
  EXPECT_TRUE(damaged.err.contains(QStringLiteral("EAcc.ntx"), Qt::CaseInsensitive))
      << damaged.err.toStdString();
  const CliRun mended = gstSummary();
  EXPECT_EQ(mended.status, 0) << mended.err.toStdString();
  EXPECT_EQ(mended.out, sound.out);
}

TEST_F(DamagedBooks, ARestoreRefusesADamagedBackupAndLeavesTheBooksAsTheyWere) {
  QTemporaryDir backups;
  ASSERT_EQ(runCli({"backup", backups.path()}, books.dir()).status, 0);
  const QDir dir(backups.path());
  const QByteArray expenses = fileBytes(dir.filePath("GSTEXP1.bak"));
  struct Damage {
    const char* file;
    QByteArray bytes;
  };
  for (const Damage& damage : {Damage{"GSTEXP1.bak", expenses.left(expenses.size() - 100)},
                               Damage{"ACCI.bak", QByteArray(700, 'x')}}) {
    ASSERT_EQ(runCli({"backup", backups.path()}, books.dir()).status, 0);
    QFile file(dir.filePath(damage.file));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(damage.bytes);
    file.close();
    const auto before = fingerprints(books.dir());
    const CliRun run = runCli({"restore", backups.path()}, books.dir());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("The backup file ")) &&
                run.err.contains(damage.file))
        << run.err.toStdString();
    EXPECT_EQ(fingerprints(books.dir()), before) << damage.file;
  }
}

TEST_F(DamagedBooks, AHeaderThatMisplacesTheRecordsIsNotRepairedAndNothingChanges) {
  const QString table = books.file("GSTINC1.dbf");
  const QByteArray bytes = fileBytes(table);
  const int header = quint8(bytes[8]) | quint8(bytes[9]) << 8;
  const char length[2] = {char(header + 5), char((header + 5) >> 8)};
  writeAt(table, 8, QByteArray(length, 2));
  const auto before = fingerprints(books.dir());
  const CliRun run = runCli({"check", "--repair"}, books.dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("GSTINC1: not repaired"))) << run.err.toStdString();
  EXPECT_EQ(fingerprints(books.dir()), before);
}

TEST_F(DamagedBooks, SettingsWithoutTheirRecordAreRefusedUntilTheRepairWritesDefaults) {
  writeAt(books.file("TALY1.dbf"), 4, u32(0));
  const CliRun refused = gstSummary();
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(refused.err.contains(QStringLiteral("TALY1.dbf"))) << refused.err.toStdString();
  const CliRun found = runCli({"check"}, books.dir());
  EXPECT_EQ(found.status, 1);
  EXPECT_TRUE(found.out.contains("settings record missing")) << found.out.toStdString();
  const CliRun repaired = runCli({"check", "--repair"}, books.dir());
  EXPECT_EQ(repaired.status, 0) << repaired.err.toStdString();
  EXPECT_TRUE(repaired.out.contains("wrote the default settings")) << repaired.out.toStdString();
  EXPECT_EQ(gstSummary().status, 0);
}

TEST_F(DamagedBooks, APackThatCannotOpenATableFailsNamingTheFile) {
  const QString tag = books.file("FolTag.ntx");
  ASSERT_TRUE(QFile::remove(tag));
  ASSERT_TRUE(QDir().mkdir(tag));
  const CliRun run = runCli({"pack"}, books.dir());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      run.err.contains(QStringLiteral("FolTag.ntx: not a regular file"), Qt::CaseInsensitive))
      << run.err.toStdString();
  QDir(tag).removeRecursively();
}

TEST_F(DamagedBooks, IndexesThatAreMerelyMissingPassTheCheck) {
  ASSERT_TRUE(QFile::remove(books.file("EDate.ntx")));
  const CliRun run = runCli({"check"}, books.dir());
  EXPECT_EQ(run.status, 0) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("EDate.ntx: tag file missing (built at the next start)"));
}

TEST_F(DamagedBooks, AnUnreadableIndexIsBuiltAnewAtTheStartAndSaidSo) {
  const CliRun sound = gstSummary();
  const qint64 size = QFileInfo(books.file("EAcc.ntx")).size();
  writeAt(books.file("EAcc.ntx"), 0, QByteArray(int(size), '\xA5'));
  const CliRun run = gstSummary();
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, sound.out);
  EXPECT_TRUE(run.err.contains(
      QStringLiteral("The indexes of GSTEXP1 could not be read; they were built anew.")))
      << run.err.toStdString();
}

}  // namespace
