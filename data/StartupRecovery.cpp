#include "StartupRecovery.h"

#include "InterruptedWork.h"
#include "TableDefinitions.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"

namespace {

std::string markerPath(xbase::FileSystem& fs, const std::string& directory) {
  return fs.resolve(directory + "/" + StartupRecovery::kMarkerFileName);
}

// Writes the marker and forces it to disk before any table is written in the session. It
// is made under another name and renamed into place, since a rename also puts the
// directory entry on disk: a power cut must not lose the marker of a session that wrote.
bool writeMarker(xbase::FileSystem& fs, const std::string& directory) {
  const std::string path = markerPath(fs, directory);
  const std::string partial = path + ".new";
  int error = 0;
  auto file = fs.open(partial, xbase::OpenMode::Create, xbase::LockMode::None, &error);
  const bool written = file && file->sync();
  file.reset();
  return written && fs.rename(partial, path);
}

}  // namespace

bool StartupRecovery::LastSessionDied(xbase::FileSystem& fs, const std::string& directory) {
  return fs.exists(markerPath(fs, directory));
}

namespace {

RepairedTable repair(xbase::FileSystem& fs, const std::string& directory,
                     const TableDefinition& table, std::vector<xbase::TableFinding> findings) {
  RepairedTable repaired{table.baseName, std::move(findings), 0, {}};
  repaired.result = xbase::RepairTable(fs, directory, table.baseName, table.groupName, table.tags,
                                       &repaired.done);
  return repaired;
}

// Whether the header's record count and the file's length agree: the damage a count can
// take is found at every start for the price of a header read, before anything appends
// over records past a count.
bool lengthAgrees(xbase::FileSystem& fs, const std::string& directory,
                  const TableDefinition& table) {
  int rc = xbase::kSuccess;
  auto file = fs.open(fs.resolve(directory + "/" + table.baseName + ".dbf"),
                      xbase::OpenMode::ReadOnly, xbase::LockMode::None, &rc);
  xbase::DbfLayout layout;
  // A table that cannot be read is for its open to report.
  if (!file || xbase::DbfFile::readLayout(*file, &layout) < 0) return true;
  const std::uint64_t whole = layout.wholeRecords();
  return whole >= layout.count && whole <= layout.count + 1ull;
}

std::vector<std::string> requiredTags(const TableDefinition& table) {
  std::vector<std::string> names;
  for (const xbase::TagSpec& tag : table.tags) names.push_back(tag.name);
  return names;
}

}  // namespace

std::vector<RepairedTable> StartupRecovery::CheckAndRepair(xbase::FileSystem& fs,
                                                           const std::string& directory) {
  std::vector<RepairedTable> repaired;
  for (const TableDefinition* table : TableDefinitions::all()) {
    auto findings =
        xbase::CheckTable(fs, directory, table->baseName, table->groupName, requiredTags(*table));
    if (!findings.empty()) repaired.push_back(repair(fs, directory, *table, std::move(findings)));
  }
  return repaired;
}

bool StartupRecovery::MarkSession(xbase::FileSystem& fs, const std::string& directory) {
  return writeMarker(fs, directory);
}

std::vector<RepairedTable> StartupRecovery::BeginSession(xbase::FileSystem& fs,
                                                         const std::string& directory, bool* marked,
                                                         std::vector<std::string>* notes,
                                                         bool mark) {
  std::vector<std::string> finished = InterruptedWork::Finish(fs, directory);
  if (notes != nullptr) notes->insert(notes->end(), finished.begin(), finished.end());
  std::vector<RepairedTable> repaired;
  // The marker stays through the repair: a session dying in it repairs again next time.
  if (LastSessionDied(fs, directory)) {
    repaired = CheckAndRepair(fs, directory);
  } else {
    for (const TableDefinition* table : TableDefinitions::all()) {
      if (lengthAgrees(fs, directory, *table)) continue;
      // Marked first, so that a repair cut short is taken up again at the next start.
      if (repaired.empty()) writeMarker(fs, directory);
      repaired.push_back(repair(fs, directory, *table,
                                xbase::CheckTable(fs, directory, table->baseName, table->groupName,
                                                  requiredTags(*table))));
    }
  }
  const bool written = mark && writeMarker(fs, directory);
  if (marked != nullptr) *marked = written;
  return repaired;
}

bool StartupRecovery::EndSession(xbase::FileSystem& fs, const std::string& directory) {
  const std::string path = markerPath(fs, directory);
  return !fs.exists(path) || fs.remove(path);
}
