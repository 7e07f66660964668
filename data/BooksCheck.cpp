#include "BooksCheck.h"

#include <strings.h>

#include <QDate>
#include <cstdlib>
#include <type_traits>

#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

namespace {

constexpr char kSettingsFinding[] = "settings record";

std::string fileName(xbase::FileSystem& fs, const std::string& directory,
                     const std::string& baseName) {
  const std::string path = fs.resolve(directory + "/" + baseName + ".dbf");
  return path.substr(path.rfind('/') + 1);
}

// A field's text in a raw record, without its blanks.
std::string fieldText(const xbase::DbfFile& dbf, const char* rec, const char* name) {
  const int i = dbf.fieldIndex(name);
  if (i < 0) return {};
  const xbase::FieldDesc& f = dbf.fields()[i];
  std::string text(rec + f.offset, f.width);
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The fields the program reads that the table lacks or holds with another type.
std::vector<std::string> fieldProblems(const xbase::DbfFile& dbf, const TableDefinition& table) {
  std::vector<std::string> problems;
  for (const xbase::FieldSpec& wanted : table.fields) {
    const int i = dbf.fieldIndex(wanted.name);
    if (i < 0) {
      problems.push_back("has no field " + wanted.name);
    } else if (dbf.fields()[i].type != wanted.type) {
      problems.push_back("field " + wanted.name + " is of type " + dbf.fields()[i].type + ", not " +
                         wanted.type);
    }
  }
  return problems;
}

std::unique_ptr<xbase::DbfFile> openReadOnly(xbase::FileSystem& fs, const std::string& path,
                                             int* rc) {
  auto file = fs.open(path, xbase::OpenMode::ReadOnly, xbase::LockMode::None, rc);
  return file ? xbase::DbfFile::open(std::move(file), rc) : nullptr;
}

// The settings record as the file holds it, read past the engine's table handle so that
// a check changes nothing and takes no lock.
std::string settingsProblem(xbase::FileSystem& fs, const std::string& path) {
  int rc = xbase::kSuccess;
  auto dbf = openReadOnly(fs, path, &rc);
  if (!dbf) return {};  // the table check names why it cannot be read
  if (dbf->recordCount() == 0) return std::string(kSettingsFinding) + " missing";
  std::vector<char> rec(dbf->recordLength());
  if (dbf->readRecord(1, rec.data()) < 0) return {};
  SettingsRecord settings;
  settings.FyMonth = std::atoi(fieldText(*dbf, rec.data(), fields::kFyMonth).c_str());
  settings.FyDay = std::atoi(fieldText(*dbf, rec.data(), fields::kFyDay).c_str());
  settings.GSTRate = std::atof(fieldText(*dbf, rec.data(), fields::kGSTRate).c_str());
  settings.GSTString = QString::fromStdString(fieldText(*dbf, rec.data(), fields::kGSTString));
  const std::string problem = BooksCheck::SettingsProblem(settings);
  return problem.empty() ? problem : std::string(kSettingsFinding) + ": " + problem;
}

}  // namespace

std::string BooksCheck::TableFileProblem(xbase::FileSystem& fs, const std::string& path,
                                         const TableDefinition& table) {
  int rc = xbase::kSuccess;
  auto dbf = openReadOnly(fs, path, &rc);
  if (!dbf) return xbase::statusText(rc);
  const std::vector<std::string> problems = fieldProblems(*dbf, table);
  if (!problems.empty())
    return "it " + problems.front() + ", so it is not a " + table.baseName + " table";
  std::vector<char> rec(dbf->recordLength());
  for (std::uint32_t n = 1; n <= dbf->recordCount(); ++n) {
    if (dbf->readRecord(n, rec.data()) < 0)
      return "record " + std::to_string(n) + " cannot be read";
    if (rec[0] != ' ' && rec[0] != '*')
      return "record " + std::to_string(n) + " does not start where the header says";
  }
  return {};
}

std::vector<xbase::TableFinding> BooksCheck::CheckTable(xbase::FileSystem& fs,
                                                        const std::string& directory,
                                                        const TableDefinition& table) {
  std::vector<std::string> requiredTags;
  for (const xbase::TagSpec& tag : table.tags) requiredTags.push_back(tag.name);
  auto findings = xbase::CheckTable(fs, directory, table.baseName, table.groupName, requiredTags);
  const std::string file = fileName(fs, directory, table.baseName);
  const std::string path = directory + "/" + file;
  int rc = xbase::kSuccess;
  if (auto dbf = openReadOnly(fs, path, &rc)) {
    for (std::string& problem : fieldProblems(*dbf, table))
      findings.push_back({file, std::move(problem)});
  }
  if (table.baseName == tables::kSettings) {
    std::string problem = settingsProblem(fs, path);
    if (!problem.empty()) findings.push_back({file, std::move(problem)});
  }
  return findings;
}

bool BooksCheck::IsSettingsFinding(const xbase::TableFinding& finding) {
  return finding.problem.rfind(kSettingsFinding, 0) == 0;
}

std::string BooksCheck::SettingsProblem(const SettingsRecord& settings) {
  // Any year will do for the day: 29 February starts a fiscal year only in leap years,
  // which the fiscal year rules already handle.
  if (settings.FyMonth < 1 || settings.FyMonth > 12 ||
      !QDate::isValid(2000, settings.FyMonth, settings.FyDay)) {
    return "the fiscal year start " + std::to_string(settings.FyDay) + "/" +
           std::to_string(settings.FyMonth) + " is no day of the year";
  }
  if (settings.GSTRate < 0 || settings.GSTRate >= 100) return "the tax rate is not 0 to 100";
  if (settings.GSTString.trimmed().isEmpty()) return "the tax has no name";
  return {};
}

SettingsRecord BooksCheck::DefaultSettings() {
  SettingsRecord settings;
  settings.FyMonth = 7;
  settings.FyDay = 1;
  settings.GSTRate = 10;
  settings.GSTString = QStringLiteral("GST");
  return settings;
}

int BooksCheck::WriteDefaultSettings(xbase::FileSystem& fs, const std::string& directory) {
  xbase::Engine engine(fs, directory);
  engine.autoOpen = false;
  engine.exclusive = true;
  xbase::Table* table = engine.open(tables::kSettings);
  if (table == nullptr) return engine.takeError();
  int rc = table->recCount() == 0 ? table->appendBlank() : table->go(1);
  const SettingsRecord settings = DefaultSettings();
  auto assign = [&](const char* name, auto value) {
    xbase::Field* field = table->field(name);
    if (rc >= 0 && field == nullptr) rc = xbase::kErrFieldName;
    if (rc < 0) return;
    if constexpr (std::is_arithmetic_v<decltype(value)>) {
      rc = field->assignDouble(value);
    } else {
      rc = field->assign(value);
    }
  };
  assign(fields::kFyMonth, settings.FyMonth);
  assign(fields::kFyDay, settings.FyDay);
  assign(fields::kFontName, "");
  assign(fields::kFontSize, settings.FontSize);
  assign(fields::kGSTRate, settings.GSTRate);
  assign(fields::kGSTString, settings.GSTString.toStdString());
  const int closed = engine.closeAll();
  return rc < 0 ? rc : closed;
}
