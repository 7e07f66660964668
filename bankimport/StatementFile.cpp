#include "StatementFile.h"

#include <QFile>
#include <QStringDecoder>

#include "CsvReader.h"
#include "OfxReader.h"
#include "QifReader.h"

namespace {

StatementFile::Format formatOf(const QString& text, const QString& name) {
  const QString start = text.left(4096).trimmed();
  if (start.startsWith(QLatin1String("OFXHEADER")) || start.contains(QLatin1String("<OFX>")) ||
      start.contains(QLatin1String("<?OFX")))
    return StatementFile::Format::Ofx;
  if (start.startsWith(QLatin1Char('!'))) return StatementFile::Format::Qif;
  const QString lower = name.toLower();
  if (lower.endsWith(QLatin1String(".ofx")) || lower.endsWith(QLatin1String(".qfx")))
    return StatementFile::Format::Ofx;
  if (lower.endsWith(QLatin1String(".qif"))) return StatementFile::Format::Qif;
  return StatementFile::Format::Csv;
}

}  // namespace

QString StatementFile::Decode(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder windows("windows-1252");
  return windows.isValid() ? QString(windows.decode(bytes)) : QString::fromLatin1(bytes);
}

StatementFile::Result StatementFile::Read(const QString& path,
                                          const std::optional<CsvProfile>& profile,
                                          DateOrder order) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Result result;
    result.message = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
    return result;
  }
  return ReadText(Decode(file.readAll()), path, profile, order);
}

StatementFile::Result StatementFile::ReadText(const QString& text, const QString& name,
                                              const std::optional<CsvProfile>& profile,
                                              DateOrder order) {
  Result result;
  result.format = formatOf(text, name);
  try {
    switch (result.format) {
      case Format::Ofx:
        result.statement = OfxReader::Read(text);
        break;
      case Format::Qif:
        result.statement = QifReader::Read(text, order);
        break;
      case Format::Csv:
        result.profile = profile ? *profile : CsvReader::Detect(text);
        result.columnsUnknown = !result.profile.problem().isEmpty();
        result.statement = CsvReader::Read(text, result.profile, order);
        break;
    }
    result.ok = true;
  } catch (const StatementError& error) {
    result.message = error.message();
  } catch (const AmbiguousDates&) {
    result.datesAmbiguous = true;
    result.message = QStringLiteral(
        "The dates could be day-first or month-first (03/04 is 3 April or "
        "March 4), and no date shows which.");
  }
  return result;
}
