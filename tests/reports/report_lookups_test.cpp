// Folder choice, titles and the lookups of report building in the open tables.
#include <gtest/gtest.h>

#include "ReportTestSupport.h"

namespace {

class Lookups : public testing::Test, public BuilderFixture {};

TEST_F(Lookups, NoFolderTellsTheUserAndSelectsNone) {
  builder.SelectedFolders = {4};  // from an earlier report
  builder.ChooseFolders();
  EXPECT_TRUE(builder.SelectedFolders.isEmpty());
  EXPECT_EQ(host.informed, QStringList{QStringLiteral("Create folders before running reports")});
  EXPECT_EQ(host.pickerShown, 0);
}

TEST_F(Lookups, TheOnlyFolderIsTakenWithoutAsking) {
  addFolder(data.db, 7, QStringLiteral("Shop"));
  builder.ChooseFolders();
  EXPECT_EQ(builder.SelectedFolders, QList<int>{7});
  EXPECT_EQ(host.pickerShown, 0);
  EXPECT_TRUE(host.informed.isEmpty());
  // Its name comes before the report's name in the title.
  builder.SetStandardTitles(QStringLiteral("Profit Report"));
  EXPECT_EQ(builder.ReportTitles, (QStringList{QStringLiteral("Shop Profit Report"),
                                               QStringLiteral("for 1/6/26 through 30/6/26")}));
}

TEST_F(Lookups, SeveralFoldersAreChosenByTheUser) {
  addFolder(data.db, 2, QStringLiteral("Rental"));
  addFolder(data.db, 1, QStringLiteral("Shop"));
  host.picked = {1, 2};
  builder.ChooseFolders();
  EXPECT_EQ(host.pickerShown, 1);
  EXPECT_EQ(builder.SelectedFolders, (QList<int>{1, 2}));
  EXPECT_TRUE(builder.IsSelectedFolder(2));
  EXPECT_FALSE(builder.IsSelectedFolder(3));
  builder.SetStandardTitles(QStringLiteral("General Ledger"));
  EXPECT_EQ(builder.ReportTitles.front(), QStringLiteral("General Ledger"));

  host.picked.clear();  // cancelled
  builder.ChooseFolders();
  EXPECT_TRUE(builder.SelectedFolders.isEmpty());
}

TEST_F(Lookups, DeletedFoldersDoNotCount) {
  addFolder(data.db, 1, QStringLiteral("Shop"));
  addFolder(data.db, 2, QStringLiteral("Old"));
  d4delete(data.db.folder().data);
  builder.ChooseFolders();
  EXPECT_EQ(builder.SelectedFolders, QList<int>{1});
  EXPECT_EQ(host.pickerShown, 0);
}

TEST_F(Lookups, FolderNameIsTrimmedAndEmptyPastTheLastFolder) {
  addFolder(data.db, 3, QStringLiteral("  Rental - 12 Elm Street"));
  addFolder(data.db, 5, QStringLiteral("Shop"));
  EXPECT_EQ(builder.FolderName(3), QStringLiteral("Rental - 12 Elm Street"));
  EXPECT_EQ(builder.FolderName(5), QStringLiteral("Shop"));
  EXPECT_EQ(builder.FolderName(9), QString());
}

TEST_F(Lookups, DeductibleAndTaxableAccountsAreLookedUpInTheirOwnCharts) {
  addAccount(data.db, false, 10, QStringLiteral("Fuel"), true);
  addAccount(data.db, false, 20, QStringLiteral("Fines"), false);
  addAccount(data.db, true, 10, QStringLiteral("Exports"), false);
  addAccount(data.db, true, 30, QStringLiteral("Sales"), true);
  EXPECT_TRUE(builder.IsDeductibleAccount(10));
  EXPECT_FALSE(builder.IsDeductibleAccount(20));
  EXPECT_FALSE(builder.IsDeductibleAccount(15));  // the seek lands on 20: not that account
  EXPECT_FALSE(builder.IsDeductibleAccount(30));  // only in the income chart
  EXPECT_FALSE(builder.IsTaxableAccount(10));
  EXPECT_TRUE(builder.IsTaxableAccount(30));
  EXPECT_FALSE(builder.IsTaxableAccount(40));
}

TEST_F(Lookups, FiscalYearStartUsesTheSettings) {
  data.db.settingsRecord().FyMonth = 7;
  data.db.settingsRecord().FyDay = 1;
  EXPECT_EQ(builder.FiscalYearStart(QDate(2024, 6, 30)), QDate(2023, 7, 1));
  EXPECT_EQ(builder.FiscalYearStart(QDate(2024, 7, 1)), QDate(2024, 7, 1));
  data.db.settingsRecord().FyMonth = 4;
  data.db.settingsRecord().FyDay = 6;
  EXPECT_EQ(builder.FiscalYearStart(QDate(2024, 4, 5)), QDate(2023, 4, 6));
  EXPECT_EQ(builder.FiscalYearStart(QDate(2024, 4, 6)), QDate(2024, 4, 6));
}

TEST_F(Lookups, IncludedFoldersCloseTheReport) {
  addFolder(data.db, 1, QStringLiteral("Shop"));
  addFolder(data.db, 2, QStringLiteral("Rental"));
  builder.BeginReport(65, 5);
  builder.ReportTitles = {QStringLiteral("GST Summary Report")};
  builder.SelectedFolders = {1, 2};
  builder.AddRow({QStringLiteral("1")});
  const int last = builder.LastLine();
  builder.AddIncludedFolders();
  const ReportDocument& document = builder.Document();
  ASSERT_EQ(document.LastLine(), last + 4);
  EXPECT_EQ(document.Line(last + 1), QStringList(5));
  EXPECT_EQ(document.Line(last + 2), QStringList(5));
  EXPECT_EQ(document.Cell(last + 3, 0), QStringLiteral("L00Included Folders:"));
  // The name as stored, with its field's trailing blanks.
  EXPECT_EQ(document.Cell(last + 3, 1),
            QStringLiteral("L18") + QStringLiteral("Shop").leftJustified(30));
  EXPECT_EQ(document.Cell(last + 4, 0), QString());
  EXPECT_EQ(document.Cell(last + 4, 1),
            QStringLiteral("L18") + QStringLiteral("Rental").leftJustified(30));
}

TEST_F(Lookups, AFolderListRunningOverAPageHasNoColumnHeadings) {
  addFolder(data.db, 1, QStringLiteral("Shop"));
  addFolder(data.db, 2, QStringLiteral("Rental"));
  host.linesPerPage = 12;
  builder.BeginReport(65, 5);
  builder.ReportTitles = {QStringLiteral("GST Summary Report")};
  builder.ColumnHeadings = {
      {QStringLiteral("R05Acnt."), QString(), QString(), QString(), QStringLiteral("U")}};
  builder.SelectedFolders = {1, 2};
  for (int row = 0; row < 4; ++row) builder.AddRow({QStringLiteral("1")});  // 7 + 4 lines
  builder.AddIncludedFolders();  // one blank line fits, then the list goes on page 2
  const ReportDocument& document = builder.Document();
  EXPECT_EQ(builder.PageNumber, 2);
  EXPECT_EQ(document.Style(11), QString());  // the blank line before the break: no rule
  EXPECT_EQ(document.Cell(12, 0), QStringLiteral("EJECT"));
  EXPECT_EQ(document.Cell(13, 0), QStringLiteral("L00Page 2"));
  // Page, blank, title, blank, subheading; then the folders without headings.
  EXPECT_EQ(document.Cell(18, 0), QStringLiteral("L00Included Folders:"));
  EXPECT_EQ(document.LastLine(), 19);
}

}  // namespace
