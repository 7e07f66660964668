// The six tables: base names, field names and layouts, index groups and their tags, and
// the files whose absence makes the start-up rebuild a table's indexes.
#pragma once

#include <string>
#include <vector>

#include "xbase/DbfFile.h"
#include "xbase/Table.h"

// Base names as the program opens them.
namespace tables {
inline constexpr char kSettings[] = "TALY1";
inline constexpr char kAcc[] = "ACC";
inline constexpr char kAccI[] = "ACCI";
inline constexpr char kFolder[] = "FOLDER";
inline constexpr char kExpenses[] = "GSTEXP1";
inline constexpr char kIncome[] = "GSTINC1";
// The bank statement import's own tables, made when first needed.
inline constexpr char kBankRules[] = "BANKRULE";
inline constexpr char kBankHistory[] = "BANKHIST";
inline constexpr char kBankProfiles[] = "BANKPROF";
}  // namespace tables

// Field names; tables are reached by name in any case.
namespace fields {
// TALY1
inline constexpr char kFyMonth[] = "FyMonth";
inline constexpr char kFyDay[] = "FyDay";
inline constexpr char kFontName[] = "FontName";
inline constexpr char kFontSize[] = "FontSize";
inline constexpr char kGSTRate[] = "GSTRate";
inline constexpr char kGSTString[] = "GSTString";
// ACC and ACCI
inline constexpr char kAccNo[] = "AccNo";  // also GSTEXP1
inline constexpr char kAcDesc[] = "AcDesc";
inline constexpr char kAcDed[] = "AcDed";
// FOLDER
inline constexpr char kFolNo[] = "FolNo";  // also GSTEXP1 and GSTINC1
inline constexpr char kFolName[] = "FolName";
// GSTEXP1
inline constexpr char kExpDate[] = "ExpDate";
inline constexpr char kCheckNo[] = "CheckNo";
inline constexpr char kPayTo[] = "PayTo";
inline constexpr char kAmount[] = "Amount";
inline constexpr char kLGSTE[] = "LGSTE";
inline constexpr char kGSTE[] = "GSTE";
inline constexpr char kEMemo[] = "EMemo";
inline constexpr char kArchive[] = "Archive";  // also GSTINC1
// GSTINC1
inline constexpr char kIncDate[] = "IncDate";
inline constexpr char kIncAcc[] = "IncAcc";
inline constexpr char kIncDesc[] = "IncDesc";
inline constexpr char kIncAmt[] = "IncAmt";
inline constexpr char kLGstI[] = "lGstI";
inline constexpr char kGstI[] = "GstI";
inline constexpr char kIncImp[] = "IncImp";
// BANKRULE: applied in SEQ order; a blank bound leaves the amount open on that side
inline constexpr char kSeq[] = "SEQ";
inline constexpr char kPattern[] = "PATTERN";
inline constexpr char kRegex[] = "REGEX";
inline constexpr char kMinAmt[] = "MINAMT";
inline constexpr char kMaxAmt[] = "MAXAMT";
inline constexpr char kKind[] = "KIND";  // "E" expense, "I" income; also BANKHIST
inline constexpr char kRuleAcc[] = "ACCNO";
inline constexpr char kRuleFol[] = "FOLNO";
inline constexpr char kIncTax[] = "INCTAX";
// BANKHIST: one record per statement line imported
inline constexpr char kStmtAcct[] = "ACCOUNT";  // also BANKPROF
inline constexpr char kTDate[] = "TDATE";
inline constexpr char kTAmount[] = "AMOUNT";
inline constexpr char kDescr[] = "DESCR";
inline constexpr char kFitId[] = "FITID";
inline constexpr char kRecNo[] = "RECNO";
inline constexpr char kImported[] = "IMPORTED";
// BANKPROF: a CSV column mapping; column numbers count from 1, 0 for none
inline constexpr char kName[] = "NAME";
inline constexpr char kSep[] = "SEP";
inline constexpr char kHeader[] = "HEADER";
inline constexpr char kDateCol[] = "DATECOL";
inline constexpr char kDescCol[] = "DESCCOL";
inline constexpr char kAmtCol[] = "AMTCOL";
inline constexpr char kDebitCol[] = "DEBITCOL";
inline constexpr char kCreditCol[] = "CREDITCOL";
inline constexpr char kIdCol[] = "IDCOL";
inline constexpr char kDateOrder[] = "DATEORDER";  // "DMY", "MDY" or "YMD"
}  // namespace fields

// Tag names as the open routines look them up (tag names match in any case).
namespace tags {
inline constexpr char kAccTag[] = "AccTag";
inline constexpr char kAcciTag[] = "AcciTag";
inline constexpr char kFolTag[] = "FolTag";
inline constexpr char kEDate[] = "eDate";
inline constexpr char kEAcc[] = "eAcc";
inline constexpr char kIncDate[] = "IncDate";
inline constexpr char kIncAcc[] = "IncAcc";
inline constexpr char kRuleSeq[] = "BRSeq";
inline constexpr char kHistLine[] = "BHLine";
inline constexpr char kHistId[] = "BHId";
inline constexpr char kProfName[] = "BPName";
}  // namespace tags

struct TableDefinition {
  std::string baseName;
  std::vector<xbase::FieldSpec> fields;
  std::string groupName;                // given to i4create; empty for an unindexed table
  std::vector<xbase::TagSpec> tags;     // every tag ascending, not unique, live records only
  std::vector<std::string> indexFiles;  // any of them missing: rebuild this table's indexes
};

class TableDefinitions {
 public:
  static const TableDefinition& settings();
  static const TableDefinition& acc();
  static const TableDefinition& accI();
  static const TableDefinition& folder();
  static const TableDefinition& expenses();
  static const TableDefinition& income();
  // The five indexed tables in rebuild order: ACC, ACCI, FOLDER, GSTEXP1, GSTINC1.
  static const std::vector<const TableDefinition*>& indexed();
  // All six, settings first.
  static const std::vector<const TableDefinition*>& all();

  // The bank statement import's tables: rules, imported lines and CSV profiles. Books
  // hold them only once an import or a rule made them.
  static const TableDefinition& bankRules();
  static const TableDefinition& bankHistory();
  static const TableDefinition& bankProfiles();
  static const std::vector<const TableDefinition*>& bank();
  // The definition of baseName among all() and bank(), or null.
  static const TableDefinition* named(const std::string& baseName);
};
