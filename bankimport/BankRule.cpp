#include "BankRule.h"

#include <cmath>

QString BankRule::problem() const {
  if (pattern.trimmed().isEmpty()) return QStringLiteral("The rule has no description pattern.");
  if (regex) {
    const QRegularExpression re(pattern);
    if (!re.isValid())
      return QStringLiteral("The pattern is not a regular expression: %1.").arg(re.errorString());
  }
  if (minAmount && maxAmount && *minAmount > *maxAmount)
    return QStringLiteral("The lowest amount is above the highest.");
  if (kind != EntryKind::Ignore && (account <= 0 || folder <= 0))
    return QStringLiteral("The rule needs an account and a folder.");
  return QString();
}

RuleSet::RuleSet(std::vector<BankRule> rules) : rules_(std::move(rules)) {
  for (const BankRule& rule : rules_) {
    patterns_.emplace_back(
        rule.regex ? rule.pattern : QRegularExpression::escape(rule.pattern.trimmed()),
        QRegularExpression::CaseInsensitiveOption);
  }
}

int RuleSet::FirstMatch(const StatementLine& line) const {
  const double size = std::abs(line.amount);
  for (std::size_t i = 0; i < rules_.size(); ++i) {
    const BankRule& rule = rules_[i];
    if (rule.minAmount && size < *rule.minAmount - 0.005) continue;
    if (rule.maxAmount && size > *rule.maxAmount + 0.005) continue;
    if (patterns_[i].isValid() && patterns_[i].match(line.description).hasMatch())
      return static_cast<int>(i);
  }
  return -1;
}

QString KindCode(EntryKind kind) {
  switch (kind) {
    case EntryKind::Expense:
      return QStringLiteral("E");
    case EntryKind::Income:
      return QStringLiteral("I");
    case EntryKind::Ignore:
      break;
  }
  return QStringLiteral("X");
}

EntryKind KindOfCode(const QString& code) {
  if (code.trimmed() == QLatin1String("E")) return EntryKind::Expense;
  if (code.trimmed() == QLatin1String("I")) return EntryKind::Income;
  return EntryKind::Ignore;
}
