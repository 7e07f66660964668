// Report tests: a host that records what report building asks of the user, books with
// folders and accounts, and a builder on them (15 June 2026, en_AU, 54 lines per page).
#pragma once

#include <QList>
#include <QStringList>

#include "BookRecords.h"
#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "TestDatabase.h"

class RecordingReportHost : public ReportHost {
 public:
  void Inform(const QString& text) override { informed.append(text); }
  QList<int> PickFolders() override {
    ++pickerShown;
    return picked;
  }
  int LinesPerPage() override { return linesPerPage; }
  void ShowReport(const ReportDocument&) override { ++reportsShown; }
  void ShowStatus(const QString& text) override { statuses.append(text); }
  void ShowProgress(int) override {}

  int linesPerPage = 54;
  QList<int> picked;  // what the folder choice answers
  QStringList informed;
  QStringList statuses;
  int pickerShown = 0;
  int reportsShown = 0;
};

// Appends a folder; returns its record number. REQUIRES: FOLDER open.
inline long addFolder(Database& db, int number, const QString& name) {
  return books::expectAppended(db.AppendFolder({number, name}));
}

// Appends an account to ACC (expense chart) or ACCI; returns its record number.
// REQUIRES: that table open.
inline long addAccount(Database& db, bool incomeChart, int number, const QString& name,
                       bool flagged) {
  const AccountRecord record{number, name, flagged};
  return books::expectAppended(incomeChart ? db.AppendAccI(record) : db.AppendAcc(record));
}

// A builder on fresh books whose FOLDER, ACC and ACCI are open, as a report command
// leaves them.
struct BuilderFixture {
  BuilderFixture() {
    data.db.OpenFolder();
    data.db.OpenAcc();
    data.db.OpenAccI();
  }
  ~BuilderFixture() { code4close(data.db.code()); }

  TestDatabase data;
  RecordingReportHost host;
  ReportRequest request{QDate(2026, 6, 1), QDate(2026, 6, 30), QDate(2026, 6, 15),
                        QLocale(QLocale::English, QLocale::Australia)};
  ReportBuilder builder{data.db, host, request};
};
