#include "BankTables.h"

#include "Database.h"
#include "TableDefinitions.h"
#include "TableWalk.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"

namespace {

std::optional<double> optionalAmount(FIELD4* field) {
  if (QString::fromStdString(f4str(field)).trimmed().isEmpty()) return std::nullopt;
  double value = 0;
  f4double2(field, &value);
  return value;
}

void assignOptional(FIELD4* field, const std::optional<double>& value) {
  if (value) {
    f4assignDouble(field, *value);
  } else {
    f4assign(field, "");
  }
}

// Writes record number recno (appending when past the end) through assign.
template <class Assign>
bool writeAt(DATA4* data, long recno, Assign assign) {
  if (recno <= d4recCountDo(data)) {
    if (d4go(data, recno) != xbase::kSuccess) return false;
  } else if (d4appendBlank(data) != xbase::kSuccess) {
    return false;
  }
  assign();
  return true;
}

int column(DATA4* data, const char* name) { return f4int(d4field(data, name)); }

}  // namespace

bool BankTables::Ensure(CODE4* code, const TableDefinition& table) {
  xbase::FileSystem& fs = code->fs();
  const std::string dbf = code->pathOf(table.baseName + ".dbf");
  bool indexed = fs.exists(dbf);
  if (!indexed) {
    int rc = 0;
    auto file = fs.open(dbf, xbase::OpenMode::Create, xbase::LockMode::None, &rc);
    if (!file || !xbase::DbfFile::create(std::move(file), table.fields, &rc)) {
      code->setError(rc < 0 ? rc : xbase::kErrCreate, dbf);
      return false;
    }
  }
  for (const std::string& file : table.indexFiles)
    indexed = indexed && fs.exists(code->pathOf(file));
  if (indexed) return true;
  code4autoOpen(code, 0);
  code4safety(code, 0);
  code4accessMode(code, 1);
  DATA4* data = d4open(code, table.baseName);
  const int created = data != nullptr ? i4create(data, table.groupName, table.tags) : -1;
  if (data != nullptr) d4close(code, data);
  code4autoOpen(code, 1);
  code4safety(code, 1);
  code4accessMode(code, 0);
  if (created < 0 && code->errorCode() == 0) code->setError(created, dbf);
  return created >= 0;
}

DATA4* BankTables::Open(CODE4* code, const TableDefinition& table) {
  if (!Ensure(code, table)) return nullptr;
  return d4open(code, table.baseName);
}

std::vector<BankRule> BankTables::LoadRules(Database& db) {
  std::vector<BankRule> rules;
  CODE4* code = db.code();
  if (!code->fs().exists(code->pathOf(std::string(tables::kBankRules) + ".dbf"))) return rules;
  DATA4* data = Open(code, TableDefinitions::bankRules());
  if (data == nullptr) return code4errorCode(code, 0), rules;  // read as none
  d4tagSelectP(data, d4tag(data, tags::kRuleSeq));
  WalkAll(data, [&] {
    BankRule rule;
    rule.pattern = f4text(d4field(data, fields::kPattern)).trimmed();
    rule.regex = f4true(d4field(data, fields::kRegex)) == 1;
    rule.minAmount = optionalAmount(d4field(data, fields::kMinAmt));
    rule.maxAmount = optionalAmount(d4field(data, fields::kMaxAmt));
    rule.kind = KindOfCode(f4text(d4field(data, fields::kKind)));
    rule.account = column(data, fields::kRuleAcc);
    rule.folder = column(data, fields::kRuleFol);
    rule.includesTax = f4true(d4field(data, fields::kIncTax)) == 1;
    rules.push_back(rule);
  });
  d4close(code, data);
  return rules;
}

bool BankTables::SaveRules(Database& db, const std::vector<BankRule>& rules) {
  CODE4* code = db.code();
  DATA4* data = Open(code, TableDefinitions::bankRules());
  if (data == nullptr) return false;
  bool ok = true;
  for (std::size_t i = 0; ok && i < rules.size(); ++i) {
    const BankRule& rule = rules[i];
    ok = writeAt(data, long(i) + 1, [&] {
      f4assignInt(d4field(data, fields::kSeq), int(i) + 1);
      f4assignText(d4field(data, fields::kPattern), rule.pattern);
      f4assign(d4field(data, fields::kRegex), rule.regex ? "T" : "F");
      assignOptional(d4field(data, fields::kMinAmt), rule.minAmount);
      assignOptional(d4field(data, fields::kMaxAmt), rule.maxAmount);
      f4assignText(d4field(data, fields::kKind), KindCode(rule.kind));
      f4assignInt(d4field(data, fields::kRuleAcc), rule.account);
      f4assignInt(d4field(data, fields::kRuleFol), rule.folder);
      f4assign(d4field(data, fields::kIncTax), rule.includesTax ? "T" : "F");
    });
  }
  const long stored = d4recCountDo(data);
  if (ok && stored > long(rules.size()))
    ok = d4zap(data, long(rules.size()) + 1, stored - long(rules.size())) == xbase::kSuccess;
  return code4close(code) == xbase::kSuccess && ok;
}

std::vector<CsvProfile> BankTables::LoadProfiles(Database& db) {
  std::vector<CsvProfile> profiles;
  CODE4* code = db.code();
  if (!code->fs().exists(code->pathOf(std::string(tables::kBankProfiles) + ".dbf")))
    return profiles;
  DATA4* data = Open(code, TableDefinitions::bankProfiles());
  if (data == nullptr) return code4errorCode(code, 0), profiles;  // read as none
  d4tagSelectP(data, d4tag(data, tags::kProfName));
  WalkAll(data, [&] {
    CsvProfile p;
    p.name = f4text(d4field(data, fields::kName)).trimmed();
    const QString separator = f4text(d4field(data, fields::kSep));
    p.separator = separator == QLatin1String("T") ? QLatin1Char('\t') : separator.at(0);
    p.header = f4true(d4field(data, fields::kHeader)) == 1;
    p.dateColumn = column(data, fields::kDateCol);
    p.descriptionColumn = column(data, fields::kDescCol);
    p.amountColumn = column(data, fields::kAmtCol);
    p.debitColumn = column(data, fields::kDebitCol);
    p.creditColumn = column(data, fields::kCreditCol);
    p.idColumn = column(data, fields::kIdCol);
    p.dateOrder = DateOrderOfCode(f4text(d4field(data, fields::kDateOrder)));
    p.account = f4text(d4field(data, fields::kStmtAcct)).trimmed();
    profiles.push_back(p);
  });
  d4close(code, data);
  return profiles;
}

std::optional<CsvProfile> BankTables::FindProfile(Database& db, const QString& name) {
  for (const CsvProfile& profile : LoadProfiles(db))
    if (profile.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0) return profile;
  return std::nullopt;
}

bool BankTables::SaveProfile(Database& db, const CsvProfile& p) {
  CODE4* code = db.code();
  DATA4* data = Open(code, TableDefinitions::bankProfiles());
  if (data == nullptr) return false;
  long recno = d4recCountDo(data) + 1;
  d4tagSelectP(data, nullptr);
  WalkAll(data, [&] {
    if (d4deleted(data) || f4text(d4field(data, fields::kName))
                                   .trimmed()
                                   .compare(p.name.trimmed(), Qt::CaseInsensitive) != 0)
      return true;
    recno = d4recNo(data);
    return false;
  });
  const bool ok = writeAt(data, recno, [&] {
    f4assignText(d4field(data, fields::kName), p.name.trimmed());
    // A tab is stored as T: the field is one character of text.
    f4assignText(d4field(data, fields::kSep),
                 p.separator == QLatin1Char('\t') ? QStringLiteral("T") : QString(p.separator));
    f4assign(d4field(data, fields::kHeader), p.header ? "T" : "F");
    f4assignInt(d4field(data, fields::kDateCol), p.dateColumn);
    f4assignInt(d4field(data, fields::kDescCol), p.descriptionColumn);
    f4assignInt(d4field(data, fields::kAmtCol), p.amountColumn);
    f4assignInt(d4field(data, fields::kDebitCol), p.debitColumn);
    f4assignInt(d4field(data, fields::kCreditCol), p.creditColumn);
    f4assignInt(d4field(data, fields::kIdCol), p.idColumn);
    f4assignText(d4field(data, fields::kDateOrder), DateOrderCode(p.dateOrder));
    f4assignText(d4field(data, fields::kStmtAcct), p.account);
  });
  return code4close(code) == xbase::kSuccess && ok;
}
