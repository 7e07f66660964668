#include "CsvReader.h"

#include <QRegularExpression>
#include <algorithm>
#include <map>

#include "StatementText.h"

namespace {

constexpr int kSampleRows = 50;

QString withoutMark(const QString& text) {
  return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
}

// The most common field count of rows (the larger on a tie) and how many rows have it.
std::pair<int, int> commonWidth(const std::vector<CsvReader::Row>& rows) {
  std::map<int, int> counts;
  for (std::size_t i = 0; i < rows.size() && i < kSampleRows; ++i)
    ++counts[static_cast<int>(rows[i].fields.size())];
  std::pair<int, int> best{0, 0};
  for (const auto& [width, count] : counts)
    if (count >= best.second) best = {width, count};
  return best;
}

// The first row with at least width fields: rows of account details before it are left out.
std::size_t firstFullRow(const std::vector<CsvReader::Row>& rows, int width) {
  std::size_t i = 0;
  while (i < rows.size() && rows[i].fields.size() < width) ++i;
  return i;
}

// The first column (from 1) whose header holds one of names, in the order of names.
int columnNamed(const QStringList& header, std::initializer_list<const char*> names,
                const QList<int>& taken) {
  for (const char* name : names) {
    for (qsizetype c = 0; c < header.size(); ++c) {
      const QString h = header[c].trimmed().toLower();
      if (!taken.contains(int(c) + 1) &&
          (h == QLatin1String(name) || h.contains(QLatin1String(name))))
        return int(c) + 1;
    }
  }
  return 0;
}

void mapHeader(CsvProfile& p, const QStringList& header) {
  QList<int> taken;
  auto find = [&](std::initializer_list<const char*> names) {
    const int column = columnNamed(header, names, taken);
    if (column != 0) taken.append(column);
    return column;
  };
  p.dateColumn = find({"transaction date", "booking date", "posting date", "posted", "date",
                       "buchungstag", "datum"});
  p.idColumn = find({"transaction id", "fitid"});
  p.debitColumn = find({"debit", "withdrawal", "money out", "paid out"});
  p.creditColumn = find({"credit", "deposit", "money in", "paid in"});
  if (p.debitColumn == 0 || p.creditColumn == 0) {
    p.debitColumn = p.creditColumn = 0;
    p.amountColumn = find({"amount", "betrag", "value"});
  }
  p.descriptionColumn = find({"description", "payee", "details", "narrative", "particulars", "name",
                              "memo", "reference", "verwendungszweck", "text"});
}

// Without a header: the date column holds dates only; the amount is the first column after
// it holding amounts only, or two such columns of which each row fills one (debit and
// credit); the description the text column with the longest texts.
void mapContent(CsvProfile& p, const std::vector<CsvReader::Row>& rows, std::size_t first) {
  const std::size_t last = std::min(rows.size(), first + kSampleRows);
  const int width = static_cast<int>(rows[first].fields.size());
  auto all = [&](int c, auto test) {
    for (std::size_t r = first; r < last; ++r)
      if (c >= rows[r].fields.size() || !test(rows[r].fields[c].trimmed())) return false;
    return true;
  };
  auto isAmount = [&](const QString& t) {
    return t.isEmpty() || StatementText::Amount(t, p.separator == QLatin1Char(';')).has_value();
  };
  QList<int> amounts;
  double longest = 0;
  for (int c = 0; c < width; ++c) {
    if (p.dateColumn == 0 &&
        all(c, [](const QString& t) { return StatementText::LooksLikeDate(t); })) {
      p.dateColumn = c + 1;
    } else if (all(c, isAmount) && !all(c, [](const QString& t) { return t.isEmpty(); })) {
      amounts.append(c);
    } else {
      double length = 0;
      for (std::size_t r = first; r < last; ++r) length += rows[r].fields.value(c).size();
      if (length > longest) longest = length, p.descriptionColumn = c + 1;
    }
  }
  if (amounts.size() >= 2) {
    bool oneEach = true;
    for (std::size_t r = first; r < last; ++r) {
      const bool a = !rows[r].fields.value(amounts[0]).trimmed().isEmpty();
      const bool b = !rows[r].fields.value(amounts[1]).trimmed().isEmpty();
      oneEach = oneEach && a != b;
    }
    if (oneEach) {
      p.debitColumn = amounts[0] + 1;
      p.creditColumn = amounts[1] + 1;
      return;
    }
  }
  if (!amounts.isEmpty()) p.amountColumn = amounts[0] + 1;
}

}  // namespace

std::vector<CsvReader::Row> CsvReader::Rows(const QString& source, QChar separator) {
  const QString text = withoutMark(source);
  std::vector<Row> rows;
  Row row{1, {}};
  QString field;
  bool quoted = false;
  bool any = false;  // the row has a character
  int line = 1;
  auto endRow = [&] {
    row.fields.append(field);
    if (any) rows.push_back(row);
    row = Row{line, {}};
    field.clear();
    any = false;
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == QLatin1Char('"')) {
        if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
          field += c;
          ++i;
        } else {
          quoted = false;
        }
      } else {
        if (c == QLatin1Char('\n')) ++line;
        if (c != QLatin1Char('\r')) field += c;
      }
    } else if (c == QLatin1Char('"')) {
      quoted = any = true;
    } else if (c == separator) {
      row.fields.append(field);
      field.clear();
      any = true;
    } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
      if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
      ++line;
      endRow();
    } else {
      field += c;
      any = any || !c.isSpace();
    }
  }
  endRow();
  return rows;
}

CsvProfile CsvReader::Detect(const QString& text) {
  CsvProfile p;
  int bestRows = -1, bestWidth = 0;
  for (QChar separator : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')}) {
    const auto [width, count] = commonWidth(Rows(text, separator));
    if (width > 1 && (count > bestRows || (count == bestRows && width > bestWidth))) {
      p.separator = separator;
      bestRows = count;
      bestWidth = width;
    }
  }
  const std::vector<Row> rows = Rows(text, p.separator);
  std::size_t first = firstFullRow(rows, bestWidth);
  if (first >= rows.size()) return p;
  const QStringList& top = rows[first].fields;
  p.header = std::none_of(top.begin(), top.end(),
                          [](const QString& f) { return StatementText::LooksLikeDate(f); }) &&
             std::any_of(top.begin(), top.end(), [](const QString& f) {
               return f.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
             });
  if (p.header) {
    mapHeader(p, top);
  } else {
    mapContent(p, rows, first);
  }
  return p;
}

Statement CsvReader::Read(const QString& text, const CsvProfile& profile, DateOrder order) {
  if (const QString problem = profile.problem(); !problem.isEmpty())
    throw StatementError(1, QStringLiteral("the columns are not known: %1").arg(problem));
  const std::vector<Row> rows = Rows(text, profile.separator);
  std::size_t first = firstFullRow(rows, profile.lastColumn());
  if (profile.header && first < rows.size()) ++first;
  const bool decimalComma = profile.separator == QLatin1Char(';');
  auto cell = [](const Row& row, int column) { return row.fields.value(column - 1).trimmed(); };

  if (order == DateOrder::Unknown) order = profile.dateOrder;
  if (order == DateOrder::Unknown) {
    QStringList dates;
    std::vector<int> lines;
    for (std::size_t r = first; r < rows.size(); ++r) {
      dates.append(cell(rows[r], profile.dateColumn));
      lines.push_back(rows[r].line);
    }
    order = StatementText::DetectOrder(dates, lines);
  }

  Statement statement;
  // Not the profile's name: a statement read with a profile or without one is remembered alike.
  statement.account = profile.account;
  for (std::size_t r = first; r < rows.size(); ++r) {
    const Row& row = rows[r];
    if (row.fields.size() < profile.lastColumn()) {
      throw StatementError(row.line, QStringLiteral("it has %1 columns where the statement has %2")
                                         .arg(row.fields.size())
                                         .arg(profile.lastColumn()));
    }
    StatementLine line;
    line.fileLine = row.line;
    const QString date = cell(row, profile.dateColumn);
    line.date = StatementText::Date(date, order);
    if (!line.date.isValid())
      throw StatementError(row.line, QStringLiteral("'%1' is not a date").arg(date));
    auto amountOf = [&](int column, bool* present) -> double {
      const QString t = cell(row, column);
      *present = !t.isEmpty();
      if (t.isEmpty()) return 0;
      const auto value = StatementText::Amount(t, decimalComma);
      if (!value) throw StatementError(row.line, QStringLiteral("'%1' is not an amount").arg(t));
      return *value;
    };
    bool present = false;
    if (profile.amountColumn != 0) {
      line.amount = amountOf(profile.amountColumn, &present);
    } else {
      bool credit = false;
      const double in = std::abs(amountOf(profile.creditColumn, &credit));
      const double out = std::abs(amountOf(profile.debitColumn, &present));
      line.amount = in - out;
      present = present || credit;
    }
    if (!present) throw StatementError(row.line, QStringLiteral("it has no amount"));
    if (profile.descriptionColumn != 0)
      line.description = cell(row, profile.descriptionColumn).simplified();
    if (profile.idColumn != 0) line.bankId = cell(row, profile.idColumn);
    statement.lines.push_back(line);
  }
  return statement;
}
