#include "OfxReader.h"

#include <map>

#include "StatementText.h"

namespace {

QString decoded(QString text) {
  text.replace(QLatin1String("&lt;"), QLatin1String("<"));
  text.replace(QLatin1String("&gt;"), QLatin1String(">"));
  text.replace(QLatin1String("&quot;"), QLatin1String("\""));
  text.replace(QLatin1String("&apos;"), QLatin1String("'"));
  text.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
  text.replace(QLatin1String("&amp;"), QLatin1String("&"));
  return text.simplified();
}

struct Transaction {
  int line = 0;
  std::map<QString, std::pair<QString, int>> values;  // element: value and its line
};

StatementLine lineOf(const Transaction& t) {
  auto value = [&](const char* name) {
    return t.values.count(name) ? t.values.at(name).first : QString();
  };
  auto lineAt = [&](const char* name) {
    return t.values.count(name) ? t.values.at(name).second : t.line;
  };
  StatementLine line;
  line.fileLine = t.line;
  const QString date = value("DTPOSTED");
  if (date.isEmpty())
    throw StatementError(t.line, QStringLiteral("the transaction has no DTPOSTED"));
  line.date = StatementText::Date(date, DateOrder::YearFirst);
  if (date.size() < 8 || !line.date.isValid())
    throw StatementError(lineAt("DTPOSTED"), QStringLiteral("'%1' is not a date").arg(date));
  const QString amount = value("TRNAMT");
  if (amount.isEmpty())
    throw StatementError(t.line, QStringLiteral("the transaction has no TRNAMT"));
  const auto parsed = StatementText::Amount(amount);
  if (!parsed)
    throw StatementError(lineAt("TRNAMT"), QStringLiteral("'%1' is not an amount").arg(amount));
  line.amount = *parsed;
  const QString name = value("NAME"), memo = value("MEMO");
  line.description = name.isEmpty() ? memo : memo.isEmpty() ? name : name + QLatin1Char(' ') + memo;
  line.bankId = value("FITID");
  line.checkNo = value("CHECKNUM").toLong();
  return line;
}

}  // namespace

Statement OfxReader::Read(const QString& text) {
  Statement statement;
  bool sawOfx = false;
  Transaction open;
  bool inTransaction = false;
  int line = 1;
  qsizetype counted = 0;  // line holds the line of position counted
  auto lineAt = [&](qsizetype pos) {
    for (; counted < pos; ++counted)
      if (text[counted] == QLatin1Char('\n')) ++line;
    return line;
  };
  auto finish = [&] {
    if (inTransaction) statement.lines.push_back(lineOf(open));
    inTransaction = false;
  };
  for (qsizetype at = text.indexOf(QLatin1Char('<')); at >= 0;) {
    const qsizetype end = text.indexOf(QLatin1Char('>'), at);
    const int tagLine = lineAt(at);
    if (end < 0) throw StatementError(tagLine, QStringLiteral("a tag is not closed by >"));
    const QString tag = text.mid(at + 1, end - at - 1).trimmed().toUpper();
    const qsizetype next = text.indexOf(QLatin1Char('<'), end);
    const QString value = decoded(text.mid(end + 1, (next < 0 ? text.size() : next) - end - 1));
    at = next;
    if (tag.startsWith(QLatin1Char('?')) || tag.startsWith(QLatin1Char('!'))) continue;
    const QString name = tag.section(QLatin1Char(' '), 0, 0);
    if (name == QLatin1String("OFX")) sawOfx = true;
    if (name == QLatin1String("STMTTRN")) {
      finish();
      open = Transaction{tagLine, {}};
      inTransaction = true;
    } else if (name == QLatin1String("/STMTTRN") || name == QLatin1String("/BANKTRANLIST")) {
      finish();
    } else if (name == QLatin1String("ACCTID") && statement.account.isEmpty()) {
      statement.account = value;
    } else if (inTransaction && !name.startsWith(QLatin1Char('/')) && !value.isEmpty()) {
      open.values[name] = {value, tagLine};
    }
  }
  if (!sawOfx)
    throw StatementError(1, QStringLiteral("this is not an OFX file (no <OFX> element)"));
  finish();
  return statement;
}
