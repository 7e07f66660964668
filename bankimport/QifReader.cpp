#include "QifReader.h"

#include <QRegularExpression>

#include "StatementText.h"

namespace {

struct Record {
  int line = 0;  // where it starts
  int dateLine = 0, amountLine = 0;
  QString date, amount, payee, memo, number;
};

}  // namespace

Statement QifReader::Read(const QString& source, DateOrder order) {
  const QStringList lines = source.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  Statement statement;
  std::vector<Record> records;
  Record current;
  bool inAccount = false;  // an !Account block names the account
  bool started = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const int lineNo = int(i) + 1;
    QString line = lines[i];
    if (i == 0 && line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
    line = line.trimmed();
    if (line.isEmpty()) continue;
    if (line.startsWith(QLatin1Char('!'))) {
      inAccount = line.startsWith(QLatin1String("!Account"), Qt::CaseInsensitive);
      continue;
    }
    const QChar code = line[0].toUpper();
    const QString value = line.mid(1).trimmed();
    if (inAccount) {
      if (code == QLatin1Char('N') && statement.account.isEmpty()) statement.account = value;
      if (code == QLatin1Char('^')) inAccount = false;
      continue;
    }
    if (!started) current.line = lineNo, started = true;
    if (code == QLatin1Char('^')) {
      records.push_back(current);
      current = Record{};
      started = false;
    } else if (code == QLatin1Char('D')) {
      current.date = value, current.dateLine = lineNo;
    } else if (code == QLatin1Char('T') || (code == QLatin1Char('U') && current.amount.isEmpty())) {
      current.amount = value, current.amountLine = lineNo;
    } else if (code == QLatin1Char('P')) {
      current.payee = value;
    } else if (code == QLatin1Char('M')) {
      current.memo = value;
    } else if (code == QLatin1Char('N')) {
      current.number = value;
    }
  }
  if (started)
    throw StatementError(current.line, QStringLiteral("the transaction is not ended by ^"));

  if (order == DateOrder::Unknown) {
    QStringList dates;
    std::vector<int> at;
    for (const Record& r : records) dates.append(r.date), at.push_back(r.dateLine);
    order = StatementText::DetectOrder(dates, at);
  }
  for (const Record& r : records) {
    if (r.date.isEmpty())
      throw StatementError(r.line, QStringLiteral("the transaction has no date"));
    if (r.amount.isEmpty())
      throw StatementError(r.line, QStringLiteral("the transaction has no amount"));
    StatementLine line;
    line.fileLine = r.line;
    line.date = StatementText::Date(r.date, order);
    if (!line.date.isValid())
      throw StatementError(r.dateLine, QStringLiteral("'%1' is not a date").arg(r.date));
    const auto amount = StatementText::Amount(r.amount);
    if (!amount)
      throw StatementError(r.amountLine, QStringLiteral("'%1' is not an amount").arg(r.amount));
    line.amount = *amount;
    line.description = (r.payee.isEmpty()  ? r.memo
                        : r.memo.isEmpty() ? r.payee
                                           : r.payee + QLatin1Char(' ') + r.memo)
                           .simplified();
    line.checkNo = r.number.toLong();
    statement.lines.push_back(line);
  }
  return statement;
}
