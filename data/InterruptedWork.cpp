#include "InterruptedWork.h"

#include "InterruptedImport.h"
#include "TableDefinitions.h"

namespace {

std::string pathIn(xbase::FileSystem& fs, const std::string& directory, const std::string& name) {
  return fs.resolve(directory + "/" + name);
}

}  // namespace

std::vector<std::string> InterruptedWork::Finish(xbase::FileSystem& fs,
                                                 const std::string& directory) {
  std::vector<std::string> done = InterruptedImport::RollBack(fs, directory);
  const std::string marker = pathIn(fs, directory, kRestoreMarker);
  if (fs.exists(marker)) {
    std::vector<const TableDefinition*> restored = TableDefinitions::indexed();
    restored.insert(restored.end(), TableDefinitions::bank().begin(),
                    TableDefinitions::bank().end());
    for (const TableDefinition* table : restored) {
      const std::string path = pathIn(fs, directory, table->baseName + ".dbf");
      if (fs.exists(path + kAbsent)) {
        if (fs.exists(path)) fs.remove(path);
        fs.remove(path + kAbsent);
      }
      if (fs.exists(path + kAside) && !fs.rename(path + kAside, path)) {
        // The marker stays: the next start tries again.
        done.push_back("could not put " + table->baseName +
                       ".dbf back as it was before the interrupted restore");
        return done;
      }
    }
    fs.remove(marker);
    done.push_back("a restore was interrupted; the tables were put back as they were before it");
  }
  std::vector<std::string> leftovers;
  std::vector<const TableDefinition*> every = TableDefinitions::all();
  every.insert(every.end(), TableDefinitions::bank().begin(), TableDefinitions::bank().end());
  for (const TableDefinition* table : every) {
    std::vector<std::string> files = {table->baseName + ".dbf"};
    files.insert(files.end(), table->indexFiles.begin(), table->indexFiles.end());
    for (const std::string& file : files) {
      const std::string path = pathIn(fs, directory, file);
      for (const char* suffix : {kIncoming, kAsideInProgress, kAside, kAbsent, kPackTemp}) {
        if (fs.exists(path + suffix) && fs.remove(path + suffix))
          leftovers.push_back(file + suffix);
      }
    }
  }
  if (!leftovers.empty()) {
    std::string line = "removed what an interrupted restore or pack left:";
    for (const std::string& file : leftovers) line += " " + file;
    done.push_back(line);
  }
  return done;
}
