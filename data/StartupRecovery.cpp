#include "StartupRecovery.h"

#include "TableDefinitions.h"

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

std::vector<RepairedTable> StartupRecovery::CheckAndRepair(xbase::FileSystem& fs,
                                                           const std::string& directory) {
  std::vector<RepairedTable> repaired;
  for (const TableDefinition* table : TableDefinitions::all()) {
    auto findings = xbase::CheckTable(fs, directory, table->baseName, table->groupName);
    if (findings.empty()) continue;
    int result = xbase::RepairTable(fs, directory, table->baseName, table->groupName, table->tags);
    repaired.push_back({table->baseName, std::move(findings), result});
  }
  return repaired;
}

std::vector<RepairedTable> StartupRecovery::BeginSession(xbase::FileSystem& fs,
                                                         const std::string& directory,
                                                         bool* marked) {
  std::vector<RepairedTable> repaired;
  // The marker stays through the repair: a session dying in it repairs again next time.
  if (LastSessionDied(fs, directory)) repaired = CheckAndRepair(fs, directory);
  const bool written = writeMarker(fs, directory);
  if (marked != nullptr) *marked = written;
  return repaired;
}

bool StartupRecovery::EndSession(xbase::FileSystem& fs, const std::string& directory) {
  const std::string path = markerPath(fs, directory);
  return !fs.exists(path) || fs.remove(path);
}
