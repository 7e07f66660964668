#include "CliCheck.h"

#include <algorithm>

#include "BooksCheck.h"
#include "CliArguments.h"
#include "TableDefinitions.h"
#include "xbase/Status.h"

std::vector<CliCheck::Faulty> CliCheck::checkAll(const char* prefix) {
  std::vector<Faulty> faulty;
  for (const TableDefinition* table : TableDefinitions::all()) {
    Faulty found{table, false, false};
    for (const xbase::TableFinding& finding : BooksCheck::CheckTable(fs_, directory_, *table)) {
      if (finding.indexMissing) {
        out_ << finding.file << ": " << finding.problem << " (built at the next start)\n";
        continue;
      }
      out_ << prefix << finding.file << ": " << finding.problem << '\n';
      (BooksCheck::IsSettingsFinding(finding) ? found.settingsWrong : found.tableWrong) = true;
    }
    if (found.tableWrong || found.settingsWrong) faulty.push_back(found);
  }
  out_.flush();
  return faulty;
}

bool CliCheck::repair(const Faulty& faulty) {
  const std::string& name = faulty.definition->baseName;
  bool ok = true;
  if (faulty.tableWrong) {
    std::vector<std::string> done;
    const int rc = xbase::RepairTable(fs_, directory_, name, faulty.definition->groupName,
                                      faulty.definition->tags, &done);
    for (const std::string& line : done) out_ << name << ": " << line << '\n';
    if (rc < 0) {
      err_ << name << ": not repaired, nothing changed by the step that failed: "
           << (rc == xbase::kErrData ? "the header does not describe the records"
                                     : xbase::statusText(rc))
           << '\n';
      ok = false;
    }
  }
  if (ok && faulty.settingsWrong) {
    const int rc = BooksCheck::WriteDefaultSettings(fs_, directory_);
    if (rc < 0) {
      err_ << name << ": default settings not written: " << xbase::statusText(rc) << '\n';
      return false;
    }
    out_ << name << ": wrote the default settings (fiscal year from 1 July, GST at 10%); "
         << "change them on the settings page\n";
  }
  return ok;
}

int CliCheck::Run(bool repair) {
  const std::vector<Faulty> faulty = checkAll("");
  if (faulty.empty()) {
    out_ << "All tables and their tags agree.\n";
    return kExitOk;
  }
  if (!repair) return kExitFailed;
  bool repaired = true;
  for (const Faulty& f : faulty) repaired = this->repair(f) && repaired;
  if (!checkAll("still wrong: ").empty() || !repaired) {
    err_ << "The books are not repaired.\n";
    return kExitFailed;
  }
  out_ << "All tables and their tags agree.\n";
  return kExitOk;
}
