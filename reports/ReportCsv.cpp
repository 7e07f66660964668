#include "ReportCsv.h"

#include <algorithm>

#include "ReportDocument.h"
#include "ReportExport.h"

QString ReportCsv::Field(const QString& field) {
  static const QString special = QStringLiteral(",\"\r\n");
  if (!std::any_of(field.begin(), field.end(), [](QChar c) { return special.contains(c); })) {
    return field;
  }
  QString quoted = field;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool ReportCsv::Write(const ReportDocument& document, const QString& path) {
  bool sections = false;
  for (int row = 0; row < document.DataRowCount() && !sections; ++row) {
    sections = !document.DataRow(row).section.isEmpty();
  }
  const auto line = [&](int index) {
    QStringList fields;
    if (index == 0) {
      fields = QStringList{QStringLiteral("Row")};
      if (sections) fields.append(QStringLiteral("Section"));
      fields += document.DataColumns();
    } else {
      const ReportDataRow row = document.DataRow(index - 1);
      fields = QStringList{row.total ? QStringLiteral("total") : QStringLiteral("item")};
      if (sections) fields.append(row.section);
      fields += row.values;
    }
    for (QString& field : fields) field = Field(field);
    return fields.join(QLatin1Char(','));
  };
  return ReportExport::WriteLines(path, document.DataRowCount() + 1, line);
}
