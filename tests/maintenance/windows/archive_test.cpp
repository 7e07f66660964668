// Archiving and de-archiving: the default range (the previous fiscal year), both tables
// marked within the range with both ends included, nothing else on disk changed, the
// records hidden from the browse lists, progress, and the window in both directions.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "AppState.h"
#include "ArchiveDialog.h"
#include "Archiver.h"
#include "BrowseList.h"
#include "DatePicker.h"
#include "ExitEdit.h"
#include "GeneralLedgerReport.h"
#include "MaintenanceBooks.h"
#include "ReportBuilder.h"
#include "ReportExport.h"
#include "ReportHost.h"
#include "ScriptedUi.h"
#include "TableDefinitions.h"
#include "TestShell.h"

namespace {

class Archiving : public testing::Test {
 protected:
  void SetUp() override {
    books.addExpense(QDate(2023, 6, 30), 1, 10);  // 1: the day before the range
    books.addExpense(QDate(2023, 7, 1), 1, 20);   // 2: its first day
    books.addExpense(QDate(2024, 6, 30), 2, 30);  // 3: its last day
    books.addExpense(QDate(2024, 7, 1), 2, 40);   // 4: the day after
    books.addIncome(QDate(2023, 6, 30), 1, 50);
    books.addIncome(QDate(2023, 7, 1), 1, 60);
    books.addIncome(QDate(2024, 6, 30), 1, 70);
    books.addIncome(QDate(2024, 7, 1), 1, 80);
    books::addFolder(books.db, 1, QStringLiteral("Farm"));
    books.progress.clear();
  }

  bool run(QDate first, QDate last, bool archive) {
    return Archiver(books.db, books.progress).Run({first, last, archive});
  }
  std::vector<bool> expenseMarks() {
    std::vector<bool> marks;
    for (const ExpenseRecord& r : books.expenses()) marks.push_back(r.Archive);
    return marks;
  }
  std::vector<bool> incomeMarks() {
    std::vector<bool> marks;
    for (const IncomeRecord& r : books.income()) marks.push_back(r.Archive);
    return marks;
  }
  // The record numbers the browse list of kind shows over every folder.
  std::vector<long> browsed(BrowseList::Kind kind) {
    Database& db = books.db;
    kind == BrowseList::Kind::Expense ? db.OpenExp() : db.OpenInc();
    BrowseList list(db, kind);
    list.Build(-1, 0);
    std::vector<long> shown;
    for (int i = 0; i < list.count(); ++i) shown.push_back(list.recordAt(i));
    code4close(db.code());
    return shown;
  }
  // The general ledger of every record, as its fixed-column text.
  QStringList ledger() {
    struct Host : ReportHost {
      void Inform(const QString&) override {}
      QList<int> PickFolders() override { return {1}; }
      int LinesPerPage() override { return 60; }
      void ShowReport(const ReportDocument&) override {}
      void ShowStatus(const QString&) override {}
      void ShowProgress(int) override {}
    } host;
    Database& db = books.db;
    db.OpenFolder();
    db.OpenExp();
    db.OpenInc();
    const ReportRequest request{QDate(2023, 1, 1), QDate(2024, 12, 31), QDate(2026, 6, 15),
                                QLocale(QLocale::English, QLocale::Australia)};
    ReportBuilder builder(db, host, request);
    builder.ChooseFolders();
    GeneralLedgerReport(db, builder).Build();
    const QStringList text =
        ReportExport::Lines(builder.Document(), ReportExport::Layout::FixedColumns);
    builder.EndReport();
    code4close(db.code());
    return text;
  }

  MaintenanceBooks books;
};

TEST_F(Archiving, MarksBothTablesWithinTheRangeBothEndsIncluded) {
  EXPECT_TRUE(run(QDate(2023, 7, 1), QDate(2024, 6, 30), true));
  EXPECT_EQ(expenseMarks(), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(incomeMarks(), (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(browsed(BrowseList::Kind::Expense), (std::vector<long>{1, 4}));
  EXPECT_EQ(browsed(BrowseList::Kind::Income), (std::vector<long>{1, 4}));
}

TEST_F(Archiving, DeArchivingClearsTheMarkOnlyInsideItsRange) {
  ASSERT_TRUE(run(QDate(2000, 1, 1), QDate(2030, 12, 31), true));
  EXPECT_TRUE(run(QDate(2023, 7, 1), QDate(2024, 6, 30), false));
  EXPECT_EQ(expenseMarks(), (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(incomeMarks(), (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(browsed(BrowseList::Kind::Expense), (std::vector<long>{2, 3}));
  EXPECT_EQ(browsed(BrowseList::Kind::Income), (std::vector<long>{2, 3}));
}

TEST_F(Archiving, AFirstDateAfterTheLastSelectsNothing) {
  EXPECT_TRUE(run(QDate(2024, 6, 30), QDate(2023, 7, 1), true));
  EXPECT_EQ(expenseMarks(), (std::vector<bool>(4, false)));
  EXPECT_EQ(incomeMarks(), (std::vector<bool>(4, false)));
}

// Reports read every field but the mark, and walk the tags: archiving must change
// nothing else, so every report over the period comes out the same.
TEST_F(Archiving, ChangesNothingButTheMarkSoReportsStayTheSame) {
  const char* files[] = {"GSTEXP1.dbf", "GSTINC1.dbf", "EDate.ntx",
                         "EAcc.ntx",    "IncDate.ntx", "IncAcc.ntx"};
  std::map<std::string, QByteArray> before;
  for (const char* file : files) before[file] = books.bytes(file);
  const QStringList report = ledger();
  ASSERT_GT(report.size(), 8);
  ASSERT_TRUE(run(QDate(2000, 1, 1), QDate(2030, 12, 31), true));
  EXPECT_EQ(ledger(), report);

  // The Archive field is the last of both tables' records.
  for (const TableDefinition* table :
       {&TableDefinitions::expenses(), &TableDefinitions::income()}) {
    const std::string file = table->baseName + ".dbf";
    QByteArray after = books.bytes(file.c_str());
    const QByteArray& old = before[file];
    ASSERT_EQ(after.size(), old.size()) << file;
    const int headerLength = uchar(old[8]) | uchar(old[9]) << 8;
    const int recordLength = uchar(old[10]) | uchar(old[11]) << 8;
    EXPECT_EQ(table->fields.back().name, fields::kArchive);
    int changedMarks = 0;
    for (int at = headerLength; at + recordLength <= after.size(); at += recordLength) {
      const int mark = at + recordLength - 1;
      if (after[mark] != old[mark]) ++changedMarks;
      EXPECT_EQ(after[mark], 'T') << file;
      after[mark] = old[mark];
    }
    EXPECT_EQ(changedMarks, 4) << file;
    // The header's last-update date (bytes 1 to 3) may move on; nothing else may.
    EXPECT_EQ(after.mid(4), old.mid(4)) << file;
  }
  for (const char* file : {"EDate.ntx", "EAcc.ntx", "IncDate.ntx", "IncAcc.ntx"}) {
    EXPECT_EQ(books.bytes(file), before[file]) << file;
  }
}

TEST_F(Archiving, ShowsItsProgressOverBothTablesAndClearsTheStatus) {
  EXPECT_TRUE(run(QDate(2023, 7, 1), QDate(2024, 6, 30), true));
  EXPECT_EQ(books.progress.statuses, (QStringList{QStringLiteral("Archiving Data"), QString()}));
  EXPECT_EQ(books.progress.progress, (QList<int>{12, 25, 37, 50, 62, 75, 87, 100}));
}

TEST_F(Archiving, DeletedRecordsAreNotVisitedButCount) {
  Database& db = books.db;
  db.OpenExp();
  d4go(db.exp().data, 4);
  d4delete(db.exp().data);
  code4close(db.code());
  EXPECT_TRUE(run(QDate(2000, 1, 1), QDate(2030, 12, 31), true));
  EXPECT_EQ(books.progress.progress.size(), 7);
  EXPECT_EQ(books.progress.progress.back(), 87);
}

TEST(ArchivingEmptyTables, ShowsAndClearsTheStatusOnly) {
  MaintenanceBooks books;
  EXPECT_TRUE(Archiver(books.db, books.progress).Run({QDate(2000, 1, 1), QDate(2030, 1, 1), true}));
  EXPECT_EQ(books.progress.statuses, (QStringList{QStringLiteral("Archiving Data"), QString()}));
  EXPECT_TRUE(books.progress.progress.isEmpty());
}

// ---- The window ----

struct DefaultRange {
  int fyMonth, fyDay;
  QDate today, first, last;
};

class ArchiveWindowRange : public testing::TestWithParam<DefaultRange> {};

TEST_P(ArchiveWindowRange, IsThePreviousFiscalYear) {
  MaintenanceBooks books;
  books.setFiscalYear(GetParam().fyMonth, GetParam().fyDay);
  books.clock.set(GetParam().today);
  AppState state;
  ScriptedUi ui;
  ArchiveDialog window(books.db, state, ui, books.progress, books.clock);
  window.prepare();
  EXPECT_EQ(window.fromDateEdit->date(), GetParam().first);
  EXPECT_EQ(window.throughDateEdit->date(), GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    Archive, ArchiveWindowRange,
    testing::Values(DefaultRange{7, 1, QDate(2024, 3, 15), QDate(2022, 7, 1), QDate(2023, 6, 30)},
                    DefaultRange{7, 1, QDate(2024, 7, 1), QDate(2023, 7, 1), QDate(2024, 6, 30)},
                    DefaultRange{7, 1, QDate(2024, 6, 30), QDate(2022, 7, 1), QDate(2023, 6, 30)},
                    DefaultRange{1, 1, QDate(2024, 1, 1), QDate(2023, 1, 1), QDate(2023, 12, 31)},
                    DefaultRange{1, 1, QDate(2024, 12, 31), QDate(2023, 1, 1), QDate(2023, 12, 31)},
                    DefaultRange{4, 6, QDate(2024, 4, 5), QDate(2022, 4, 6), QDate(2023, 4, 5)},
                    // A settings record never filled in counts as a year from 1 January.
                    DefaultRange{0, 0, QDate(2024, 5, 5), QDate(2023, 1, 1), QDate(2023, 12, 31)}));

// The range as typed over the defaults; a start after the end is refused before anything
// is marked.
TEST(ArchiveWindow, TypedRangesAreReadAndAReversedOneRefused) {
  MaintenanceBooks books;
  books.addExpense(QDate(2025, 7, 10), 1, 10);
  books.addExpense(QDate(2025, 8, 1), 1, 10);
  AppState state;
  ScriptedUi ui;
  ArchiveDialog window(books.db, state, ui, books.progress, books.clock);
  window.show();
  auto type = [&window](const char* first, const char* last) {
    for (DatePicker* field : {window.fromDateEdit, window.throughDateEdit}) {
      field->lineEdit->clear();
      QTest::keyClicks(field->lineEdit,
                       QString::fromLatin1(field == window.fromDateEdit ? first : last));
    }
  };
  type("31 Jul 2025", "1 Jul 2025");
  ui.expectMessage(Ui::Type::Warning, Ui::Buttons::Ok,
                   QStringLiteral("Beginning date must be on or before end date."));
  window.okButton->click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(books.expenses().front().Archive, false);
  type("1 Jul 2025", "31/7/25");
  const QString question =
      QStringLiteral("Archive all income and expense records dated 1/7/2025 through 31/7/2025?");
  // Enter answers Cancel: nothing is archived and the window stays.
  ui.expectEnter(Ui::Type::Confirmation, Ui::Buttons::OkCancelDefaultCancel, question);
  window.okButton->click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(books.expenses().front().Archive, false);
  ui.expectMessage(question, Ui::Answer::Ok);
  ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                   QStringLiteral("Archived: 1 records dated 1/7/2025 through 31/7/2025."));
  window.okButton->click();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(books.expenses().front().Archive, true);
  EXPECT_EQ(books.expenses().back().Archive, false);
}

TEST(ArchiveWindow, CaptionsFollowTheDirectionAndOkMarksTheChosenRange) {
  MaintenanceBooks books;
  books.addExpense(QDate(2024, 2, 1), 1, 10);
  books.addIncome(QDate(2024, 2, 2), 1, 20);
  books.addIncome(QDate(2024, 3, 2), 1, 20);
  TestShell shell(books.books.dir());
  shell.start();
  shell.ui.expectModal(QStringLiteral("Archive"), [](QDialog& dialog) {
    auto& window = static_cast<ArchiveDialog&>(dialog);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Archive Income & Expenses"));
    EXPECT_EQ(window.fromLabel->text(), QStringLiteral("Archive Data From:"));
    window.fromDateEdit->setDate(QDate(2024, 2, 1));
    window.throughDateEdit->setDate(QDate(2024, 2, 29));
    window.okButton->click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
  });
  shell.ui.expectMessage(
      QStringLiteral("Archive all income and expense records dated 1/2/2024 through 29/2/2024?"));
  shell.ui.expectMessage(QStringLiteral("Archived: 2 records dated 1/2/2024 through 29/2/2024."));
  shell.form->findChild<QAbstractButton*>(QStringLiteral("archiveButton"))->click();
  EXPECT_EQ(shell.files.openFiles, 0) << "tables left open";
  std::vector<bool> marks;
  for (const IncomeRecord& r : books.income()) marks.push_back(r.Archive);
  EXPECT_EQ(marks, (std::vector<bool>{true, false}));
  EXPECT_TRUE(books.expenses().front().Archive);

  shell.ui.expectModal(QStringLiteral("Archive"), [](QDialog& dialog) {
    auto& window = static_cast<ArchiveDialog&>(dialog);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("De-Archive Income & Expenses"));
    EXPECT_EQ(window.fromLabel->text(), QStringLiteral("De-Archive Data From:"));
    window.cancelClicked();
  });
  shell.form->findChild<QAbstractButton*>(QStringLiteral("deArchiveButton"))->click();
  EXPECT_TRUE(books.expenses().front().Archive) << "Cancel changed the records";
}

}  // namespace
