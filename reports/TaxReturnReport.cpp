#include "TaxReturnReport.h"

#include <cmath>

#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "ReportProgress.h"

long long TaxReturnReport::WholeDollars(double value) {
  return std::llround(value * 100) / 100;  // integer division drops the cents
}

void TaxReturnReport::addUp(ChartTables::Side side, Totals& flagged, Totals& other) {
  ChartTables chart(db_, side);
  ReportProgress progress(builder_.Host(), chart.AccountRecordCount());
  const QDate start = builder_.Request().StartDate, end = builder_.Request().EndDate;
  chart.ForEachAccount([&](const AccountRecord& account) {
    (account.AcDed ? flagged : other)
        .add(chart.AccountTotals(account.AccNo, start, start, end,
                                 [this](int folder) { return builder_.IsSelectedFolder(folder); }));
    progress.Step();
  });
}

void TaxReturnReport::figureRow(const char* label, const QString& text, double value, bool total) {
  const QList<ReportValue> values{gst_ ? QString::fromLatin1(label) : QString(), text,
                                  ReportValue::Money(value),
                                  ReportValue::WholeDollars(WholeDollars(value))};
  total ? builder_.AddTotalRow(values) : builder_.AddRow(values);
}

void TaxReturnReport::Build() {
  const QString tax = db_.settingsRecord().GSTString.trimmed();
  gst_ = tax.compare(QLatin1String("GST"), Qt::CaseInsensitive) == 0;
  builder_.BeginReport(78, 5);
  builder_.SetStandardTitles(tax + QStringLiteral(" Return Worksheet"));
  builder_.CellPrefixes = {QStringLiteral("L00"), QStringLiteral("L05"), QStringLiteral("R63"),
                           QStringLiteral("R78")};
  builder_.ColumnHeadings = {{gst_ ? QStringLiteral("L00BAS") : QStringLiteral("L00"),
                              QStringLiteral("L05Item"), QStringLiteral("R63Amount"),
                              QStringLiteral("R78Whole Dollars"), QStringLiteral("U")}};

  ReportHost& host = builder_.Host();
  host.ShowStatus(QStringLiteral("Building Report"));
  figures_ = {};
  addUp(ChartTables::Side::Income, figures_.taxableSales, figures_.otherSales);
  addUp(ChartTables::Side::Expense, figures_.deductiblePurchases, figures_.otherPurchases);
  host.ShowStatus(QString());

  builder_.ReportSubheading = QStringLiteral("Sales");
  figureRow("G1", QStringLiteral("Total sales including ") + tax, figures_.salesIncludingTax());
  figureRow("", QStringLiteral("  of which non-taxable sales"), figures_.otherSales.amount);
  figureRow("1A", tax + QStringLiteral(" on sales"), figures_.taxOnSales());
  builder_.ReportSubheading = QStringLiteral("Purchases");
  builder_.SectionChange();
  figureRow("G11", QStringLiteral("Purchases including ") + tax + QStringLiteral(", deductible"),
            figures_.deductiblePurchases.amount);
  figureRow("1B", tax + QStringLiteral(" on purchases"), figures_.deductiblePurchases.tax);
  figureRow("", tax + QStringLiteral(" on non-deductible purchases, not claimed"),
            figures_.otherPurchases.tax);
  builder_.ReportSubheading = QStringLiteral("Net ") + tax;
  builder_.SectionChange();
  // What shows as 0.00 is nothing to pay.
  const bool refund = std::llround(figures_.netTax() * 100) < 0;
  QString net = QStringLiteral("Net ") + tax +
                (refund ? QStringLiteral(" refundable") : QStringLiteral(" payable"));
  if (gst_) net += refund ? QStringLiteral(" (1B less 1A)") : QStringLiteral(" (1A less 1B)");
  figureRow("", net, std::abs(figures_.netTax()), true);
  if (builder_.SelectedFolders.size() > 1) builder_.AddIncludedFolders();
}
