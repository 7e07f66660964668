#include "TableDefinitions.h"

namespace {

// Index tags leave records marked deleted out.
constexpr char kLiveOnly[] = ".NOT. DELETED()";

std::vector<xbase::FieldSpec> accountFields() {
  return {{fields::kAccNo, 'N', 4, 0}, {fields::kAcDesc, 'C', 30}, {fields::kAcDed, 'L', 1}};
}

}  // namespace

const TableDefinition& TableDefinitions::settings() {
  static const TableDefinition def{tables::kSettings,
                                   {{fields::kFyMonth, 'N', 2, 0},
                                    {fields::kFyDay, 'N', 2, 0},
                                    {fields::kFontName, 'C', 60},
                                    {fields::kFontSize, 'N', 3, 0},
                                    {fields::kGSTRate, 'N', 7, 4},
                                    {fields::kGSTString, 'C', 60}},
                                   "",
                                   {},
                                   {}};
  return def;
}

const TableDefinition& TableDefinitions::acc() {
  static const TableDefinition def{tables::kAcc,
                                   accountFields(),
                                   "Acc",
                                   {{"AccTag", "STR(ACCNO, 4)", kLiveOnly}},
                                   {"AccTag.ntx", "Acc.cgp"}};
  return def;
}

const TableDefinition& TableDefinitions::accI() {
  static const TableDefinition def{tables::kAccI,
                                   accountFields(),
                                   "AccI",
                                   {{"AccITag", "STR(ACCNO, 4)", kLiveOnly}},
                                   {"AccITag.ntx", "AccI.cgp"}};
  return def;
}

const TableDefinition& TableDefinitions::folder() {
  static const TableDefinition def{tables::kFolder,
                                   {{fields::kFolNo, 'N', 4, 0}, {fields::kFolName, 'C', 30}},
                                   "Folder",
                                   {{"FolTag", "FOLNO", kLiveOnly}},
                                   {"FolTag.ntx", "Folder.cgp"}};
  return def;
}

const TableDefinition& TableDefinitions::expenses() {
  static const TableDefinition def{tables::kExpenses,
                                   {{fields::kExpDate, 'D', 8},
                                    {fields::kCheckNo, 'N', 8, 0},
                                    {fields::kAccNo, 'N', 4, 0},
                                    {fields::kFolNo, 'N', 4, 0},
                                    {fields::kPayTo, 'C', 30},
                                    {fields::kAmount, 'N', 9, 2},
                                    {fields::kLGSTE, 'L', 1},
                                    {fields::kGSTE, 'N', 9, 2},
                                    {fields::kEMemo, 'C', 30},
                                    {fields::kArchive, 'L', 1}},
                                   "GSTEXP1",
                                   {{"EDate", "DTOS(EXPDATE) + STR(ACCNO,4)", kLiveOnly},
                                    {"EAcc", "STR(ACCNO,4) + DTOS(EXPDATE)", kLiveOnly}},
                                   {"EDate.ntx", "EAcc.ntx", "GSTEXP1.cgp"}};
  return def;
}

const TableDefinition& TableDefinitions::income() {
  static const TableDefinition def{tables::kIncome,
                                   {{fields::kIncDate, 'D', 8},
                                    {fields::kIncAcc, 'N', 4, 0},
                                    {fields::kFolNo, 'N', 4, 0},
                                    {fields::kIncDesc, 'C', 30},
                                    {fields::kIncAmt, 'N', 9, 2},
                                    {fields::kLGstI, 'L', 1},
                                    {fields::kGstI, 'N', 9, 2},
                                    {fields::kIncImp, 'L', 1},
                                    {fields::kArchive, 'L', 1}},
                                   "GSTINC1",
                                   {{"IncDate", "DTOS(INCDATE)", kLiveOnly},
                                    {"IncAcc", "Str(IncAcc,4,0)+DTOS(INCDATE)", kLiveOnly}},
                                   {"IncDate.ntx", "IncAcc.ntx", "GSTINC1.cgp"}};
  return def;
}

const std::vector<const TableDefinition*>& TableDefinitions::indexed() {
  static const std::vector<const TableDefinition*> list{&acc(), &accI(), &folder(), &expenses(),
                                                        &income()};
  return list;
}

const std::vector<const TableDefinition*>& TableDefinitions::all() {
  static const std::vector<const TableDefinition*> list{&settings(), &acc(),      &accI(),
                                                        &folder(),   &expenses(), &income()};
  return list;
}

const TableDefinition& TableDefinitions::bankRules() {
  static const TableDefinition def{tables::kBankRules,
                                   {{fields::kSeq, 'N', 4, 0},
                                    {fields::kPattern, 'C', 60},
                                    {fields::kRegex, 'L', 1},
                                    {fields::kMinAmt, 'N', 12, 2},
                                    {fields::kMaxAmt, 'N', 12, 2},
                                    {fields::kKind, 'C', 1},
                                    {fields::kRuleAcc, 'N', 4, 0},
                                    {fields::kRuleFol, 'N', 4, 0},
                                    {fields::kIncTax, 'L', 1}},
                                   "BankRule",
                                   {{tags::kRuleSeq, "STR(SEQ,4)", kLiveOnly}},
                                   {"BRSeq.ntx", "BankRule.cgp"}};
  return def;
}

const TableDefinition& TableDefinitions::bankHistory() {
  static const TableDefinition def{
      tables::kBankHistory,
      {{fields::kStmtAcct, 'C', 20},
       {fields::kTDate, 'D', 8},
       {fields::kTAmount, 'N', 12, 2},
       {fields::kDescr, 'C', 60},
       {fields::kFitId, 'C', 40},
       {fields::kKind, 'C', 1},
       {fields::kRecNo, 'N', 9, 0},
       {fields::kImported, 'D', 8}},
      "BankHist",
      {{tags::kHistLine, "ACCOUNT+DTOS(TDATE)+STR(AMOUNT,12,2)+DESCR", kLiveOnly},
       {tags::kHistId, "ACCOUNT+FITID", kLiveOnly}},
      {"BHLine.ntx", "BHId.ntx", "BankHist.cgp"}};
  return def;
}

const TableDefinition& TableDefinitions::bankProfiles() {
  static const TableDefinition def{tables::kBankProfiles,
                                   {{fields::kName, 'C', 30},
                                    {fields::kSep, 'C', 1},
                                    {fields::kHeader, 'L', 1},
                                    {fields::kDateCol, 'N', 2, 0},
                                    {fields::kDescCol, 'N', 2, 0},
                                    {fields::kAmtCol, 'N', 2, 0},
                                    {fields::kDebitCol, 'N', 2, 0},
                                    {fields::kCreditCol, 'N', 2, 0},
                                    {fields::kIdCol, 'N', 2, 0},
                                    {fields::kDateOrder, 'C', 3},
                                    {fields::kStmtAcct, 'C', 20}},
                                   "BankProf",
                                   {{tags::kProfName, "NAME", kLiveOnly}},
                                   {"BPName.ntx", "BankProf.cgp"}};
  return def;
}

const std::vector<const TableDefinition*>& TableDefinitions::bank() {
  static const std::vector<const TableDefinition*> list{&bankRules(), &bankHistory(),
                                                        &bankProfiles()};
  return list;
}

const TableDefinition* TableDefinitions::named(const std::string& baseName) {
  for (const auto* list : {&all(), &bank()}) {
    for (const TableDefinition* table : *list)
      if (table->baseName == baseName) return table;
  }
  return nullptr;
}
