// Rules that classify statement lines: a description pattern (text the description
// contains, in any case, or a regular expression) and an optional range of the amount's
// size, giving what the line becomes. The first rule in order that matches wins.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <optional>
#include <vector>

#include "Statement.h"

// What a statement line becomes: an expense, an income record, or nothing (a transfer
// between the user's own accounts, say).
enum class EntryKind { Expense, Income, Ignore };

struct BankRule {
  QString pattern;
  bool regex = false;
  std::optional<double> minAmount;  // bounds of the amount's size, whether in or out
  std::optional<double> maxAmount;
  EntryKind kind = EntryKind::Expense;
  int account = 0;
  int folder = 0;
  bool includesTax = true;

  // What makes the rule unusable (an empty pattern, a regular expression that does not
  // compile, a range the wrong way round); empty when nothing.
  QString problem() const;
  bool operator==(const BankRule&) const = default;
};

// The rules in order, compiled once for many lines.
class RuleSet {
 public:
  explicit RuleSet(std::vector<BankRule> rules);
  // The index of the first rule matching line, or -1.
  int FirstMatch(const StatementLine& line) const;
  const std::vector<BankRule>& rules() const { return rules_; }

 private:
  std::vector<BankRule> rules_;
  std::vector<QRegularExpression> patterns_;
};

// "E", "I", "X" as the tables store kinds.
QString KindCode(EntryKind kind);
EntryKind KindOfCode(const QString& code);
