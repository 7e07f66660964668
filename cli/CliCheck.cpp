#include "CliCheck.h"

#include <algorithm>

#include "CliArguments.h"
#include "TableDefinitions.h"
#include "xbase/Status.h"
#include "xbase/TableCheck.h"

std::vector<std::string> CliCheck::checkAll(const char* prefix) {
  std::vector<std::string> faulty;
  for (const TableDefinition* table : TableDefinitions::all()) {
    const std::vector<xbase::TableFinding> findings =
        xbase::CheckTable(fs_, directory_, table->baseName, table->groupName);
    for (const xbase::TableFinding& finding : findings) {
      out_ << prefix << finding.file << ": " << finding.problem << '\n';
    }
    if (!findings.empty()) faulty.push_back(table->baseName);
  }
  out_.flush();
  return faulty;
}

int CliCheck::Run(bool repair) {
  const std::vector<std::string> faulty = checkAll("");
  if (faulty.empty()) {
    out_ << "All tables and their tags agree.\n";
    return kExitOk;
  }
  if (!repair) return kExitFailed;
  for (const TableDefinition* table : TableDefinitions::all()) {
    if (std::find(faulty.begin(), faulty.end(), table->baseName) == faulty.end()) continue;
    const int rc =
        xbase::RepairTable(fs_, directory_, table->baseName, table->groupName, table->tags);
    if (rc < 0) {
      err_ << table->baseName << ": repair failed: " << xbase::statusText(rc) << '\n';
    } else {
      out_ << table->baseName << ": repaired\n";
    }
  }
  if (!checkAll("still wrong: ").empty()) return kExitFailed;
  out_ << "All tables and their tags agree.\n";
  return kExitOk;
}
