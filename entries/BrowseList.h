// What an expense or income browse list shows, without any widget: the record numbers of
// the records it may show, in the order of the table's selected tag, and the page of them
// the grid holds (ten rows, or as many as the window shows). Building walks the table
// once; a page reads at most a page's rows of records, by record number. The list window and the
// benchmarks drive it alike.
#pragma once

#include <QLocale>
#include <QStringList>
#include <vector>

class Database;

class BrowseList {
 public:
  enum class Kind { Expense, Income };
  // Ways the page moves (keys and scroll bar alike).
  enum class Move { LineUp, LineDown, PageUp, PageDown, First, Last, To };
  // The rows of a page until the window sets how many it shows.
  static constexpr int kPageRows = 10;

  // db must outlive the list. Dates are shown in locale's short format, amounts with
  // its separators.
  BrowseList(Database& db, Kind kind, const QLocale& locale = QLocale());

  // The columns: headings, widths in pixels, and which are right-aligned. The last
  // column holds the record number and is never shown.
  QStringList headings() const;
  std::vector<int> widths() const;
  bool rightAligned(int column) const;
  int columnCount() const { return static_cast<int>(headings().size()); }

  // Walks the open table (GSTEXP1 or GSTINC1) from the top of its selected tag and keeps
  // the records of defaultFolder (every folder for -1) that are not archived. The
  // record numbered handOver becomes the highlight, its page starting with it; for
  // handOver 0 the last record does, on the last page. REQUIRES: the table is open.
  void Build(int defaultFolder, int handOver);

  int count() const { return static_cast<int>(records_.size()); }
  long recordAt(int index) const { return records_[index]; }
  // Index of the entry on the page's first row.
  int top() const { return top_; }
  // The top of the last full page: count - pageRows, at least 0.
  int lastTop() const { return lastTop_; }
  // The rows of a page: what the paging moves by and a page reads.
  int pageRows() const { return pageRows_; }
  // Sets the rows of a page (at least 1) and keeps the top within the new last page.
  void setPageRows(int rows);

  // Moves the page (To: to position) and keeps it within 0 .. lastTop. Returns true
  // when the top changed, so the page must be filled again.
  bool MoveTop(Move move, int position = 0);

  struct Page {
    std::vector<QStringList> rows;  // one per data row, cells as the columns give them
    int highlightRow = -1;          // 0-based row of the highlight record, or -1
  };
  // Reads the records of the page from the top (clamped first) and gives their cells;
  // notes the row of the highlight record, then forgets it, so only the first page
  // shown after Build places the cursor. REQUIRES: the table is open.
  Page FillPage();

 private:
  QStringList rowOf(long record);

  Database& db_;
  Kind kind_;
  QLocale locale_;
  std::vector<long> records_;
  int top_ = 0;
  int lastTop_ = 0;
  int pageRows_ = kPageRows;
  long highlight_ = 0;  // record number; 0 for none
};
