#include "ReportCsv.h"

#include <algorithm>

#include "ReportDocument.h"
#include "ReportExport.h"

QList<QStringList> ReportCsv::Rows(const ReportDocument& document) {
  const QList<ReportDataRow>& data = document.DataRows();
  const bool sections = std::any_of(
      data.begin(), data.end(), [](const ReportDataRow& row) { return !row.section.isEmpty(); });
  QStringList header{QStringLiteral("Row")};
  if (sections) header.append(QStringLiteral("Section"));
  header.append(document.DataColumns());
  QList<QStringList> rows{header};
  for (const ReportDataRow& row : data) {
    QStringList fields{row.total ? QStringLiteral("total") : QStringLiteral("item")};
    if (sections) fields.append(row.section);
    fields.append(row.values);
    rows.append(fields);
  }
  return rows;
}

QString ReportCsv::Field(const QString& field) {
  static const QString special = QStringLiteral(",\"\r\n");
  if (!std::any_of(field.begin(), field.end(), [](QChar c) { return special.contains(c); })) {
    return field;
  }
  QString quoted = field;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray ReportCsv::Text(const ReportDocument& document) {
  QByteArray bytes;
  for (const QStringList& row : Rows(document)) {
    QStringList fields;
    for (const QString& field : row) fields.append(Field(field));
    bytes += fields.join(QLatin1Char(',')).toUtf8();
    bytes += "\r\n";
  }
  return bytes;
}

bool ReportCsv::Write(const ReportDocument& document, const QString& path) {
  return ReportExport::WriteFile(path, Text(document));
}
