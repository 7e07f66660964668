#include "PaymentFile.h"

#include <QDir>
#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "DateConversions.h"
#include "ReadOnlyFileSystem.h"
#include "TableAccess.h"
#include "TableWalk.h"
#include "xbase/Status.h"

namespace {

struct FieldRule {
  const char* name;
  const char* types;  // the field types accepted
  const char* kind;   // how the message names them
};

constexpr FieldRule kDate{"PDATE", "DC", "a date"};
constexpr FieldRule kAmount{"PAMT", "NF", "a number"};
constexpr FieldRule kGst{"GST", "NF", "a number"};
constexpr FieldRule kIncludesGst{"LGST", "L", "a logical value"};
constexpr FieldRule kInvoice{"IVNO", "CN", "text"};

PaymentFile::Result refused(const QString& message) { return {false, message, {}}; }

QString nothingImported() { return QStringLiteral("\r\nNothing was imported."); }

// The number a numeric field holds; 0 when blank, nothing when its text is no number
// (a foreign program may leave asterisks where a number overflowed its field).
std::optional<double> numberOf(FIELD4* field) {
  const std::string text = f4str(field);
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return 0.0;
  const std::size_t end = text.find_last_not_of(' ') + 1;
  const char* first = text.data() + begin + (text[begin] == '+' ? 1 : 0);
  double value = 0;
  const auto [stop, ec] = std::from_chars(first, text.data() + end, value);
  if (ec != std::errc() || stop != text.data() + end || !std::isfinite(value)) return {};
  return value;
}

}  // namespace

PaymentFile::Result PaymentFile::Read(const QString& directory, const QString& path,
                                      const QDate& first, const QDate& last) {
  const QFileInfo info(QDir(directory).absoluteFilePath(path));
  ReadOnlyFileSystem files(xbase::FileSystem::posix());
  std::unique_ptr<CODE4> code = code4initP(info.absolutePath().toStdString(), files);
  struct Release {
    std::unique_ptr<CODE4>& code;
    ~Release() { code4initUndoP(code); }
  } release{code};

  code4autoOpen(code.get(), 0);  // Billwise's own index files are not ours to open
  DATA4* table = d4open(code.get(), info.fileName().toStdString());
  if (code4errorCode(code.get(), 0) < 0 || table == nullptr) {
    return refused(QStringLiteral("Unable to Open ") + path);
  }

  FIELD4* fields[5];
  int n = 0;
  for (const FieldRule& rule : {kDate, kAmount, kGst, kIncludesGst, kInvoice}) {
    FIELD4* field = d4field(table, rule.name);
    if (field == nullptr || std::string_view(rule.types).find(field->type()) == std::string::npos) {
      return refused(path +
                     QStringLiteral("\r\nis not a valid Billwise Payment file: its field %1 is "
                                    "missing or not %2.")
                         .arg(QString::fromLatin1(rule.name), QString::fromLatin1(rule.kind)) +
                     nothingImported());
    }
    fields[n++] = field;
  }
  auto [date, amount, gst, includesGst, invoice] = fields;

  Result result{true, QString(), {}};
  d4tagSelectP(table, nullptr);
  QString notANumber;
  const WalkResult walk = WalkAll(table, [&] {
    if (d4deleted(table)) return true;  // a payment Billwise deleted was never received
    Payment payment;
    payment.record = d4recNo(table);
    payment.date = DateConversions::DTOSToDate(f4text(date));
    if (!payment.date.isValid() || payment.date < first || payment.date > last) return true;
    payment.invoice = f4text(invoice).trimmed();
    const std::optional<double> paid = numberOf(amount);
    const std::optional<double> tax = numberOf(gst);
    if (!paid || !tax) {
      FIELD4* bad = paid ? gst : amount;
      notANumber = QStringLiteral(
                       "Payment record %1 of %2 (invoice #%3) holds \"%4\" in its "
                       "field %5, which is not a number.")
                       .arg(payment.record)
                       .arg(path, payment.invoice, f4text(bad).trimmed(),
                            QString::fromStdString(bad->name()));
      return false;
    }
    payment.amount = *paid;
    payment.gst = *tax;
    payment.includesGst = f4true(includesGst) == 1;
    result.payments.push_back(std::move(payment));
    return true;
  });
  if (!notANumber.isEmpty()) return refused(notANumber + nothingImported());
  if (walk.failed()) return refused(QStringLiteral("Unable to read ") + path + nothingImported());
  return result;
}
