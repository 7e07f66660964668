#include <gtest/gtest.h>

#include <random>
#include <string>

#include "KeyExpression.h"
#include "xbase/Status.h"

namespace xbase {
namespace {

// Field layout as an expense table stores it (names upper case, offsets after the flag).
std::vector<FieldDesc> layout(const std::vector<FieldSpec>& columns) {
  std::vector<FieldDesc> fields;
  int offset = 1;
  for (const FieldSpec& s : columns) {
    fields.push_back({s.name, s.type, s.width, s.decimals, offset});
    offset += s.width;
  }
  return fields;
}

const std::vector<FieldDesc> kExpense = layout({{"EXPDATE", 'D', 8},
                                                {"CHECKNO", 'N', 8},
                                                {"ACCNO", 'N', 4},
                                                {"FOLNO", 'N', 4},
                                                {"PAYTO", 'C', 30},
                                                {"AMOUNT", 'N', 9, 2},
                                                {"LGSTE", 'L', 1},
                                                {"ARCHIVE", 'L', 1}});
const std::vector<FieldDesc> kIncome =
    layout({{"INCDATE", 'D', 8}, {"INCACC", 'N', 4}, {"FOLNO", 'N', 4}, {"INCAMT", 'N', 9, 2}});

int recordLength(const std::vector<FieldDesc>& fields) {
  return fields.back().offset + fields.back().width;
}

// A blank record with the given raw field texts (numeric ones right-aligned).
std::string record(const std::vector<FieldDesc>& fields,
                   const std::vector<std::pair<std::string, std::string>>& values) {
  std::string rec(recordLength(fields), ' ');
  for (const auto& [name, text] : values) {
    for (const FieldDesc& f : fields) {
      if (f.name == name) {
        int pad = f.type == 'N' ? f.width - static_cast<int>(text.size()) : 0;
        rec.replace(f.offset + pad, text.size(), text);
      }
    }
  }
  return rec;
}

std::unique_ptr<KeyExpression> compile(const std::string& text,
                                       const std::vector<FieldDesc>& fields = kExpense) {
  int err = 0;
  auto expr = KeyExpression::compile(text, fields, &err);
  EXPECT_NE(expr, nullptr) << text;
  EXPECT_EQ(err, 0) << text;
  return expr;
}

std::string key(const KeyExpression& expr, const std::string& rec) {
  std::string out(expr.length() + 4, '#');  // the guard bytes must stay
  expr.evaluate(rec.data(), out.data());
  EXPECT_EQ(out.substr(expr.length()), "####");
  return out.substr(0, expr.length());
}

const std::string kExpenseRec = record(kExpense, {{"EXPDATE", "20010302"},
                                                  {"ACCNO", "12"},
                                                  {"FOLNO", "3"},
                                                  {"PAYTO", "Hardware"},
                                                  {"AMOUNT", "1234.50"},
                                                  {"LGSTE", "T"},
                                                  {"ARCHIVE", "F"}});

TEST(KeyExpression, ProgramTagKeysOfAnExpense) {
  auto eDate = compile("DTOS(EXPDATE) + STR(ACCNO,4)");
  EXPECT_EQ(eDate->type(), KeyExpression::Type::Character);
  EXPECT_EQ(eDate->length(), 12);
  EXPECT_EQ(key(*eDate, kExpenseRec), "20010302  12");
  auto eAcc = compile("STR(ACCNO,4) + DTOS(EXPDATE)");
  EXPECT_EQ(key(*eAcc, kExpenseRec), "  1220010302");
  auto accTag = compile("STR(ACCNO, 4)");
  EXPECT_EQ(accTag->length(), 4);
  EXPECT_EQ(key(*accTag, kExpenseRec), "  12");
}

TEST(KeyExpression, ProgramTagKeysOfIncomeAndFolders) {
  std::string rec = record(kIncome, {{"INCDATE", "19991231"}, {"INCACC", "9999"}});
  EXPECT_EQ(key(*compile("Str(IncAcc,4,0)+DTOS(INCDATE)", kIncome), rec), "999919991231");
  EXPECT_EQ(key(*compile("DTOS(INCDATE)", kIncome), rec), "19991231");

  auto folTag = compile("FOLNO");
  EXPECT_EQ(folTag->type(), KeyExpression::Type::Numeric);
  EXPECT_EQ(folTag->length(), 4);
  EXPECT_EQ(key(*folTag, kExpenseRec), "   3");
}

TEST(KeyExpression, BlankFieldsKeyAsBlanksOrZero) {
  std::string blank = record(kExpense, {});
  EXPECT_EQ(key(*compile("DTOS(EXPDATE) + STR(ACCNO,4)"), blank), "           0");
  EXPECT_EQ(key(*compile("FOLNO"), blank), "    ");
}

TEST(KeyExpression, StrWidthsDecimalsAndOverflow) {
  EXPECT_EQ(key(*compile("STR(ACCNO)"), kExpenseRec), "        12");
  EXPECT_EQ(key(*compile("STR(AMOUNT,9,2)"), kExpenseRec), "  1234.50");
  EXPECT_EQ(key(*compile("STR(AMOUNT,6,1)"), kExpenseRec), "1234.5");
  EXPECT_EQ(key(*compile("STR(AMOUNT,3)"), kExpenseRec), "***");
  std::string negative = record(kExpense, {{"AMOUNT", "-0.125"}});
  EXPECT_EQ(key(*compile("STR(AMOUNT,6,2)"), negative), " -0.13");
}

TEST(KeyExpression, SpacesCaseLiteralsAndUpper) {
  auto expr = compile("  dtos ( ExpDate )+str( accno ,4 ) + '-' + UPPER(payto)  ");
  EXPECT_EQ(expr->length(), 8 + 4 + 1 + 30);
  EXPECT_EQ(key(*expr, kExpenseRec), "20010302  12-HARDWARE" + std::string(22, ' '));
  EXPECT_EQ(key(*compile("\"a b\"+PAYTO"), kExpenseRec).substr(0, 7), "a bHard");
}

TEST(KeyExpression, FiltersOnDeletionAndLogicalFields) {
  std::string deleted = kExpenseRec;
  deleted[0] = '*';
  for (const char* text : {".NOT. DELETED()", "!DELETED()", ".not.deleted()", "! Deleted( )"}) {
    auto filter = compile(text);
    EXPECT_EQ(filter->type(), KeyExpression::Type::Logical) << text;
    EXPECT_TRUE(filter->isTrue(kExpenseRec.data())) << text;
    EXPECT_FALSE(filter->isTrue(deleted.data())) << text;
  }
  auto both = compile("LGSTE .AND. .NOT. DELETED()");
  EXPECT_TRUE(both->isTrue(kExpenseRec.data()));
  EXPECT_FALSE(both->isTrue(deleted.data()));
  auto either = compile("(ARCHIVE .OR. DELETED()) .AND. !ARCHIVE");
  EXPECT_TRUE(either->isTrue(deleted.data()));
  EXPECT_FALSE(either->isTrue(kExpenseRec.data()));
  EXPECT_EQ(key(*compile("DELETED()"), deleted), "T");
  std::string yes = record(kExpense, {{"ARCHIVE", "y"}});
  EXPECT_TRUE(compile("ARCHIVE")->isTrue(yes.data()));
}

TEST(KeyExpression, RejectsTextOutsideTheDialect) {
  const char* bad[] = {
      "",
      "   ",
      "NOSUCHFIELD",
      "STR(NOSUCH,4)",
      "SUBSTR(PAYTO,1,2)",
      "STR(PAYTO,4)",     // not numeric
      "DTOS(ACCNO)",      // not a date
      "UPPER(ACCNO)",     // not character
      "ACCNO + PAYTO",    // numbers do not concatenate
      "DTOS(EXPDATE) +",  // dangling operator
      "STR(ACCNO,4",      // unbalanced
      "(PAYTO",
      "PAYTO)",
      "STR(ACCNO,)",
      "STR(ACCNO,4,)",
      "STR(ACCNO,0)",
      "STR(ACCNO,99999)",
      "STR(ACCNO,4,0,1)",
      "PAYTO PAYTO",  // trailing junk
      "'unterminated",
      ".NOT. PAYTO",  // not logical
      "DELETED() .AND. PAYTO",
      "PAYTO .OR. DELETED()",
      "DELETED(1)",
      ".NOT.",
      "''",  // an empty key
      "EXPDATE + PAYTO",
  };
  for (const char* text : bad) {
    int err = 0;
    EXPECT_EQ(KeyExpression::compile(text, kExpense, &err), nullptr) << text;
    EXPECT_EQ(err, kErrExpression) << text;
  }
}

TEST(KeyExpression, DeepNestingIsRefusedNotOverflowed) {
  int err = 0;
  std::string deep = std::string(100000, '(') + "PAYTO" + std::string(100000, ')');
  EXPECT_EQ(KeyExpression::compile(deep, kExpense, &err), nullptr);
  std::string nots = std::string(100000, '!') + "DELETED()";
  EXPECT_EQ(KeyExpression::compile(nots, kExpense, &err), nullptr);
  // Moderate nesting is fine.
  EXPECT_NE(KeyExpression::compile("((((PAYTO))))", kExpense, &err), nullptr);
}

// Garbled text must compile or fail cleanly, and whatever compiles must evaluate within
// its stated length.
TEST(KeyExpression, GarbledTextNeverCrashes) {
  const std::vector<std::string> pieces = {
      "STR(",   "DTOS(", "UPPER(", "DELETED()", "ACCNO", "EXPDATE", "PAYTO", "LGSTE",
      "AMOUNT", "FOLNO", ",",      "4",         "2",     "0",       "(",     ")",
      "+",      "!",     ".NOT.",  ".AND.",     ".OR.",  "'x'",     "\"",    "'",
      " ",      ".",     "99999",  "-",         "\x01",  "\xFF"};
  std::mt19937 rng(12345);
  std::string deleted = kExpenseRec;
  deleted[0] = '*';
  int compiled = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    if (round % 2 == 0) {
      int n = 1 + rng() % 8;
      for (int i = 0; i < n; ++i) text += pieces[rng() % pieces.size()];
    } else {
      // A valid program expression with one character dropped, doubled or replaced.
      static const char* valid[] = {"DTOS(EXPDATE) + STR(ACCNO,4)", "STR(ACCNO,4,0)+DTOS(EXPDATE)",
                                    ".NOT. DELETED()", "LGSTE .AND. !DELETED()"};
      text = valid[rng() % 4];
      std::size_t at = rng() % text.size();
      switch (rng() % 3) {
        case 0:
          text.erase(at, 1);
          break;
        case 1:
          text.insert(at, 1, text[at]);
          break;
        default:
          text[at] = static_cast<char>(rng() % 256);
          break;
      }
    }
    int err = 0;
    auto expr = KeyExpression::compile(text, kExpense, &err);
    if (expr == nullptr) {
      EXPECT_EQ(err, kErrExpression) << text;
      continue;
    }
    ++compiled;
    ASSERT_GT(expr->length(), 0) << text;
    key(*expr, kExpenseRec);
    key(*expr, deleted);
    if (expr->type() == KeyExpression::Type::Logical) expr->isTrue(deleted.data());
  }
  EXPECT_GT(compiled, 100);  // the generator does reach the evaluator
}

}  // namespace
}  // namespace xbase
