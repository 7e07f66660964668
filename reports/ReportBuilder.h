// The building of a report document, shared by every report: the document's lines, the
// page logic that puts page breaks and page headers in while the report is built (so a
// printed page never holds more than LinesPerPage lines), titles, subheadings, column
// headings, the choice of folders and the lookups in the open tables.
//
// A generator: ChooseFolders (end when SelectedFolders is empty); BeginReport; fill
// ReportTitles (SetStandardTitles), CellPrefixes and ColumnHeadings; write rows with
// AddRow and section changes with SectionChange; then, when LastLine() >= 0, the closing
// lines, AddIncludedFolders for more than one folder, and ShowReport; EndReport.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include "MoneyFormat.h"
#include "ReportDocument.h"
#include "ReportRequest.h"
#include "ReportRules.h"
#include "ReportValue.h"

class Database;
class ReportHost;

class ReportBuilder {
 public:
  // db and host must outlive the builder. Lookups use tables the report command opened:
  // FOLDER for the folder operations, ACC and ACCI for the account tests.
  ReportBuilder(Database& db, ReportHost& host, const ReportRequest& request);

  const ReportDocument& Document() const { return document_; }
  ReportHost& Host() { return host_; }
  const ReportRequest& Request() const { return request_; }
  int LastLine() const { return document_.LastLine(); }

  // Starts an empty document of reportWidth columns (40 to 99) and cellCount cells per
  // line, style cell included: page 0, no line, one empty heading line, cellCount - 1
  // empty prefixes, no titles or subheading; asks the host for LinesPerPage.
  void BeginReport(int reportWidth, int cellCount);
  // Frees the document, the headings and the prefixes.
  void EndReport();

  // Appends an empty line to the document and to the page; returns its index.
  int AddLine();
  // Appends an empty line without a page check, unless the page is full already: there
  // it would only push the page past LinesPerPage, and the next row starts a new page.
  void AddBlankLine();
  // One bold line per title, centred on the report's middle column.
  void AddTitles();
  // A blank line, then ReportSubheading bold from column 0 (a bold empty line when empty).
  void AddSubheading();
  // A blank line, then a copy of each ColumnHeadings line, style cell included.
  void AddColumnHeadings();
  // Begins a page when this is the first one or needed (PageLines plus the lines about to
  // be written) is above LinesPerPage: a page-break line (underlining the last line when
  // withHeadings), then the page header: page number and today's date, a blank line,
  // titles, subheading and, withHeadings, column headings. Returns true when it began one.
  bool CheckPage(int needed, bool withHeadings);
  // Between two sections: unless the document is empty or a new page begins anyway, a
  // blank line, the new ReportSubheading and the column headings.
  void SectionChange();
  // Writes a row after CheckPage(PageLines + linesNeeded, with headings): cell i is
  // CellPrefixes[i] + values[i] formatted (dates in the report date format, money as
  // Money), except that the cells of emptyColumns stay empty, prefix included (a prefix
  // alone would still pad a fixed-column line to its position). The row is also kept as
  // data, under the current subheading, with the column headings of the first row as the
  // data's column names. Returns the row's line index.
  int AddRow(const QList<ReportValue>& values, int linesNeeded = 1,
             const QList<int>& emptyColumns = {});
  // The same for a row that totals rows above it (a total, a balance brought forward).
  int AddTotalRow(const QList<ReportValue>& values, int linesNeeded = 1,
                  const QList<int>& emptyColumns = {});
  // For a report whose column 0 holds report dates: moves every later column right as
  // far as the widest date of the report date format needs for one blank between it and
  // the next column's text (at most nextWidth characters when that column is
  // right-aligned), and widens the report by as much. REQUIRES: CellPrefixes and
  // ColumnHeadings set, no line yet.
  void MakeRoomForDates(int nextWidth = 0);
  // Marks the document's rows as the periods of a profit report (ProfitChart).
  void SetProfitPeriods() { document_.SetProfitPeriods(true); }
  // Sets the style cell of line. REQUIRES: 0 <= line <= LastLine().
  void SetStyle(int line, const QString& style) { document_.SetStyle(line, style); }
  void SetLastStyle(const QString& style) { document_.SetStyle(LastLine(), style); }
  // ReportTitles: reportName, after the folder's name and a blank when exactly one folder
  // is selected; then "for <start> through <end>" in the short date format, start being
  // the request's StartDate unless given.
  void SetStandardTitles(const QString& reportName);
  void SetStandardTitles(const QString& reportName, const QDate& start);

  // Fills SelectedFolders: none when FOLDER holds no folder (the user is told "Create
  // folders before running reports"), the only one without asking, else the user's choice.
  void ChooseFolders();
  bool IsSelectedFolder(int folderNumber) const;
  // The trimmed name of the folder found by seeking folderNumber; empty at end of file.
  QString FolderName(int folderNumber);
  // First day of the fiscal year holding date, from the settings' FyMonth and FyDay.
  QDate FiscalYearStart(const QDate& date) const;
  // Whether ACC (ACCI) holds accountNumber with AcDed set.
  bool IsDeductibleAccount(int accountNumber);
  bool IsTaxableAccount(int accountNumber);
  // Two blank lines, then one line per selected folder: "Included Folders:" on the first,
  // the folder's stored name from column 18. Pages begun here have no column headings.
  void AddIncludedFolders();

  QString Money(double value) const { return money_(value); }
  // date in the report date format, fixed when the report began.
  QString ReportDate(const QDate& date) const;
  QString ShortDate(const QDate& date) const {
    return ReportRules::ShortDate(date, request_.Locale);
  }

  // Building state, valid from BeginReport to EndReport; generators fill the first four.
  QStringList ReportTitles;           // 1 or 2 title lines
  QString ReportSubheading;           // the current section's subheading
  QList<QStringList> ColumnHeadings;  // 1 or 2 lines of CellCount cells; last style "U"
  QStringList CellPrefixes;           // per content column, e.g. "R50"
  int PageNumber = 0;                 // 0 before the first page
  int PageLines = -1;                 // lines of the current page; -1 before the first
  int LinesPerPage = ReportRules::kDefaultLinesPerPage;
  QString ReportDateFormat;    // QDate::toString notation
  QList<int> SelectedFolders;  // in folder-list order; kept between reports

 private:
  // The content columns' names: the texts of their heading lines, joined by a blank.
  QStringList dataColumnNames() const;
  int addRow(const QList<ReportValue>& values, int linesNeeded, const QList<int>& emptyColumns,
             bool total);
  // Seeks FOLDER (folder tag) for folderNumber; returns true and reads the record found
  // unless the seek ran off the end.
  bool seekFolder(int folderNumber);

  Database& db_;
  ReportHost& host_;
  ReportRequest request_;
  MoneyFormat money_;  // in the request's locale
  ReportDocument document_;
  // The date written last, and how: rows of one day follow each other.
  mutable QDate lastDate_;
  mutable QString lastDateFormat_, lastDateText_;
};
