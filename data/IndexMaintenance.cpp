#include "IndexMaintenance.h"

#include <array>

#include "ProgramHost.h"
#include "ProgressSink.h"
#include "TableDefinitions.h"

namespace {

// Progress after each table of a full rebuild, in TableDefinitions::indexed() order
// (none after the last: 100 follows).
constexpr std::array<int, 4> kRebuildProgress{35, 45, 50, 80};

}  // namespace

bool IndexMaintenance::anyIndexFileMissing(const TableDefinition& table) {
  for (const std::string& file : table.indexFiles) {
    if (!code_.fs().exists(code_.pathOf(file))) return true;
  }
  return false;
}

void IndexMaintenance::rebuild(const TableDefinition& table) {
  DATA4* data = d4open(&code_, table.baseName);
  error4exitTest(&code_, host_);
  const int created = i4create(data, table.groupName, table.tags);
  code4close(&code_);
  // Keep the creation failure pending for the test, whether or not the engine did.
  if (created < 0) code_.setError(created, code_.pathOf(table.baseName + ".dbf"));
  error4exitTest(&code_, host_);
}

int IndexMaintenance::RebuildIndexes(RebuildMode mode) {
  const bool full = mode == RebuildMode::Full;
  int rebuilt = 0;
  code4autoOpen(&code_, 0);
  code4safety(&code_, 0);
  code4accessMode(&code_, 1);
  if (full) {
    progress_.ShowStatus(QStringLiteral("Rebuilding Indexes"));
    progress_.ShowProgress(20);
  }
  const auto& indexed = TableDefinitions::indexed();
  for (std::size_t i = 0; i < indexed.size(); ++i) {
    const TableDefinition& table = *indexed[i];
    if (full || anyIndexFileMissing(table)) {
      rebuild(table);
      ++rebuilt;
    }
    if (full && i < kRebuildProgress.size()) progress_.ShowProgress(kRebuildProgress[i]);
  }
  // The bank import's tables, where the books have them.
  for (const TableDefinition* table : TableDefinitions::bank()) {
    if (!code_.fs().exists(code_.pathOf(table->baseName + ".dbf"))) continue;
    if (full || anyIndexFileMissing(*table)) {
      rebuild(*table);
      ++rebuilt;
    }
  }
  if (full) progress_.ShowProgress(100);
  code4autoOpen(&code_, 1);
  code4safety(&code_, 1);
  code4accessMode(&code_, 0);
  if (full) progress_.ShowStatus(QString());  // clears the caption and the bar
  return rebuilt;
}

long IndexMaintenance::PackTable(const std::string& baseName) {
  code4accessMode(&code_, 1);
  // A table that cannot be opened or packed leaves its error pending for the caller.
  DATA4* data = d4open(&code_, baseName);
  long removed = 0;
  if (data != nullptr) {
    const long before = d4recCountDo(data);
    if (d4pack(data) >= 0) removed = before - d4recCountDo(data);
    d4close(&code_, data);
  }
  code4accessMode(&code_, 0);
  return removed;
}

long IndexMaintenance::PackAllTables() {
  struct Step {
    const char* table;
    int progressAfter;
  };
  static constexpr std::array<Step, 5> kSteps{{{tables::kIncome, 40},
                                               {tables::kFolder, 50},
                                               {tables::kExpenses, 90},
                                               {tables::kAcc, 95},
                                               {tables::kAccI, 100}}};
  code4accessMode(&code_, 1);
  progress_.ShowStatus(QStringLiteral("Packing Data Files"));
  progress_.ShowProgress(10);
  long removed = 0;
  for (const Step& step : kSteps) {
    removed += PackTable(step.table);
    // A pack that failed (a full disk) keeps its error pending for the caller's test; the
    // next table's open would take it and the user would never hear of it.
    if (code_.errorCode() < 0) break;
    progress_.ShowProgress(step.progressAfter);
  }
  progress_.ShowStatus(QString());
  code4accessMode(&code_, 0);
  return removed;
}
