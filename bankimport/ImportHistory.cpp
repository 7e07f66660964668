#include "ImportHistory.h"

#include "TableDefinitions.h"
#include "TableText.h"
#include "xbase/DbfFile.h"
#include "xbase/Status.h"

ImportHistory::ImportHistory(DATA4* data)
    : data_(data),
      account_(d4field(data, fields::kStmtAcct)),
      date_(d4field(data, fields::kTDate)),
      amount_(d4field(data, fields::kTAmount)),
      description_(d4field(data, fields::kDescr)),
      id_(d4field(data, fields::kFitId)),
      kind_(d4field(data, fields::kKind)),
      recno_(d4field(data, fields::kRecNo)),
      imported_(d4field(data, fields::kImported)),
      byLine_(d4tag(data, tags::kHistLine)),
      byId_(d4tag(data, tags::kHistId)) {}

// The bytes value takes in field: its code page, cut or blank-filled to the width.
std::string ImportHistory::text(FIELD4* field, const QString& value) const {
  std::string bytes = TableText::Encode(value, field->languageDriver());
  bytes.resize(static_cast<std::size_t>(field->width()), ' ');
  return bytes;
}

std::string ImportHistory::lineKey(const QString& account, const StatementLine& line) const {
  char amount[13] = {};
  if (!xbase::formatNumber(line.amount, 12, 2, amount)) std::fill(amount, amount + 12, '*');
  return text(account_, account) + line.date.toString(QStringLiteral("yyyyMMdd")).toStdString() +
         std::string(amount, 12) + text(description_, line.description);
}

int ImportHistory::CountSame(const QString& account, const StatementLine& line) {
  const std::string key = lineKey(account, line);
  d4tagSelectP(data_, byLine_);
  int count = 0;
  for (int rc = d4seek(data_, key); rc == xbase::kSuccess; rc = d4skip(data_, 1)) {
    const std::string found = f4str(account_) + f4str(date_) + f4str(amount_) + f4str(description_);
    if (found != key) break;
    ++count;
  }
  return count;
}

bool ImportHistory::HasId(const QString& account, const QString& id) {
  d4tagSelectP(data_, byId_);
  return d4seek(data_, text(account_, account) + text(id_, id)) == xbase::kSuccess;
}

bool ImportHistory::Add(const QString& account, const StatementLine& line, EntryKind kind,
                        long recno, const QDate& today) {
  if (d4appendBlank(data_) != xbase::kSuccess) return false;
  f4assignText(account_, account);
  f4assign(date_, line.date.toString(QStringLiteral("yyyyMMdd")).toStdString());
  f4assignDouble(amount_, line.amount);
  f4assignText(description_, line.description);
  f4assignText(id_, line.bankId);
  f4assignText(kind_, KindCode(kind));
  f4assignLong(recno_, recno);
  f4assign(imported_, today.toString(QStringLiteral("yyyyMMdd")).toStdString());
  return true;
}
