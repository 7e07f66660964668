#include "IndexRecovery.h"

#include "TableDefinitions.h"

namespace {

// A group with a file missing is the start-up rebuild's own case.
bool allIndexFilesExist(CODE4* code, const TableDefinition& table) {
  for (const std::string& file : table.indexFiles) {
    if (!code->fs().exists(code->pathOf(file))) return false;
  }
  return true;
}

// Whether table opens with its index group and every tag of its definition.
bool indexesReadable(CODE4* code, const TableDefinition& table) {
  DATA4* data = d4open(code, table.baseName);
  bool readable = code4errorCode(code, 0) >= 0 && data != nullptr;
  if (readable) {
    for (const TAG4INFO& tag : table.tags) readable = readable && d4tag(data, tag.name) != nullptr;
  }
  code4close(code);
  return readable;
}

bool opensAlone(CODE4* code, const TableDefinition& table) {
  code4autoOpen(code, 0);
  DATA4* data = d4open(code, table.baseName);
  const bool opened = code4errorCode(code, 0) >= 0 && data != nullptr;
  code4close(code);
  code4autoOpen(code, 1);
  return opened;
}

}  // namespace

std::vector<std::string> IndexRecovery::RemoveUnreadableIndexes(CODE4* code) {
  std::vector<std::string> removed;
  code4errTagName(code, 0);  // a missing tag is an answer here, not an error
  for (const TableDefinition* table : TableDefinitions::indexed()) {
    if (!allIndexFilesExist(code, *table) || indexesReadable(code, *table) ||
        !opensAlone(code, *table)) {
      continue;
    }
    for (const std::string& file : table->indexFiles) code->fs().remove(code->pathOf(file));
    removed.push_back(table->baseName);
  }
  code4errTagName(code, 1);
  code4errorCode(code, 0);
  return removed;
}

bool IndexRecovery::IndexesSound(CODE4* code) {
  code4errTagName(code, 0);  // a missing tag is an answer here, not an error
  bool sound = true;
  for (const TableDefinition* table : TableDefinitions::indexed()) {
    sound = sound && allIndexFilesExist(code, *table) && indexesReadable(code, *table);
  }
  code4errTagName(code, 1);
  code4errorCode(code, 0);
  return sound;
}
