#include "ProfitChart.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "ProfitReport.h"
#include "ReportDocument.h"

namespace {

// Room around the plot for the title, the legend, the amounts and the period labels,
// in text heights.
constexpr double kTitleLines = 3.0;
constexpr double kLabelLines = 2.5;
constexpr int kGridLines = 5;

// A step of 1, 2 or 5 times a power of ten that cuts span into about kGridLines parts.
double gridStep(double span) {
  const double raw = span / kGridLines;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= raw) return factor * power;
  }
  return 10 * power;
}

}  // namespace

ProfitChart::ProfitChart(QList<Period> periods, QString title, QLocale locale)
    : periods_(std::move(periods)), title_(std::move(title)), locale_(std::move(locale)) {}

ProfitChart ProfitChart::FromDocument(const ReportDocument& document, const QLocale& locale) {
  QList<Period> periods;
  if (document.ProfitPeriods()) {
    for (int index = 0; index < document.DataRowCount(); ++index) {
      const ReportDataRow row = document.DataRow(index);
      if (row.total) continue;
      const auto value = [&](int column) { return row.values.value(column).toDouble(); };
      periods.append(
          {QDate::fromString(row.values.value(ProfitReport::kPeriodColumn), Qt::ISODate),
           value(ProfitReport::kTaxableIncomeColumn) + value(ProfitReport::kOtherIncomeColumn),
           value(ProfitReport::kDeductibleColumn) + value(ProfitReport::kOtherExpensesColumn),
           value(ProfitReport::kNetProfitColumn)});
    }
  }
  // The title lines of the report: its name and range.
  QStringList title;
  for (int line = 0; line <= document.LastLine() && title.size() < 2; ++line) {
    const QString cell = document.Cell(line, 0);
    if (cell.startsWith(QLatin1Char('C'))) title.append(cell.mid(3));
  }
  return ProfitChart(periods, title.join(QLatin1Char(' ')), locale);
}

double ProfitChart::top() const {
  double high = 0;
  for (const Period& p : periods_) high = std::max({high, p.income, p.expenses, p.profit});
  const double step = gridStep(std::max(high - bottom(), 1.0));
  return std::ceil(high / step) * step;
}

double ProfitChart::bottom() const {
  double low = 0;
  for (const Period& p : periods_) low = std::min({low, p.income, p.expenses, p.profit});
  if (low >= 0) return 0;
  const double step = gridStep(-low);
  return std::floor(low / step) * step;
}

QRectF ProfitChart::plot(const QRectF& area) const {
  const double line = area.height() / 40;
  const double amountsWidth = line * 7;
  return area.adjusted(amountsWidth, kTitleLines * line, -line, -kLabelLines * line);
}

double ProfitChart::yOf(double amount, const QRectF& plot) const {
  const double span = std::max(top() - bottom(), 1.0);
  return plot.bottom() - (amount - bottom()) / span * plot.height();
}

QString ProfitChart::money(double amount) const { return locale_.toString(amount, 'f', 2); }

QList<ProfitChart::Bar> ProfitChart::Bars(const QRectF& area) const {
  QList<Bar> bars;
  if (periods_.isEmpty()) return bars;
  const QRectF inner = plot(area);
  const double slot = inner.width() / periods_.size();
  const double width = slot * 0.35;
  const double zero = yOf(0, inner);
  for (int index = 0; index < periods_.size(); ++index) {
    const double left = inner.left() + index * slot + slot * 0.15;
    for (const bool income : {true, false}) {
      const double amount = income ? periods_[index].income : periods_[index].expenses;
      const double y = yOf(amount, inner);
      bars.append({index, income,
                   QRectF(QPointF(left + (income ? 0 : width), std::min(y, zero)),
                          QSizeF(width, std::abs(zero - y)))});
    }
  }
  return bars;
}

void ProfitChart::Paint(QPainter& painter, const QRectF& area) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(area, Qt::white);
  const double line = area.height() / 40;
  QFont font = painter.font();
  font.setPixelSize(std::max(static_cast<int>(line * 0.8), 6));
  painter.setFont(font);
  const QRectF inner = plot(area);

  QFont bold = font;
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(area.left(), area.top(), area.width(), line * 1.5), Qt::AlignCenter,
                   title_);
  painter.setFont(font);
  // The legend under the title.
  const struct {
    QRgb colour;
    const char* name;
  } legend[] = {
      {kIncomeColour, "Income"}, {kExpensesColour, "Expenses"}, {kProfitColour, "Profit"}};
  double x = area.center().x() - line * 9;
  for (const auto& entry : legend) {
    painter.fillRect(QRectF(x, area.top() + line * 1.7, line * 0.8, line * 0.8),
                     QColor(entry.colour));
    painter.drawText(QPointF(x + line, area.top() + line * 2.4), QString::fromLatin1(entry.name));
    x += line * 6;
  }

  // The amount axis: grid lines with their amounts.
  const double step = gridStep(std::max(top() - bottom(), 1.0));
  for (double amount = bottom(); amount <= top() + step / 2; amount += step) {
    const double y = yOf(amount, inner);
    painter.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 0));
    painter.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), y - line / 2, inner.left() - area.left() - line / 3, line),
                     Qt::AlignRight | Qt::AlignVCenter, locale_.toString(amount, 'f', 0));
  }

  for (const Bar& bar : Bars(area)) {
    painter.fillRect(bar.rect, QColor(bar.income ? kIncomeColour : kExpensesColour));
  }

  // Period labels, as many as fit side by side.
  if (!periods_.isEmpty()) {
    const double slot = inner.width() / periods_.size();
    const QString widest = locale_.toString(QDate(2000, 12, 28), QLocale::ShortFormat);
    const int every = std::max(
        1, static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(widest) * 1.2 / slot)));
    painter.setPen(Qt::black);
    for (int index = 0; index < periods_.size(); index += every) {
      painter.drawText(QRectF(inner.left() + (index + 0.5) * slot - slot * every / 2,
                              inner.bottom() + line / 3, slot * every, line),
                       Qt::AlignHCenter | Qt::AlignTop,
                       locale_.toString(periods_[index].last, QLocale::ShortFormat));
    }
    // The profit line through the middle of each period.
    QPainterPath path;
    for (int index = 0; index < periods_.size(); ++index) {
      const QPointF point(inner.left() + (index + 0.5) * slot, yOf(periods_[index].profit, inner));
      index == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    painter.setPen(QPen(QColor(kProfitColour), std::max(line / 6, 1.0)));
    painter.drawPath(path);
  }
  painter.setPen(QPen(Qt::black, 0));
  painter.drawLine(QPointF(inner.left(), yOf(0, inner)), QPointF(inner.right(), yOf(0, inner)));
  painter.drawLine(inner.topLeft(), inner.bottomLeft());
  painter.restore();
}

QString ProfitChart::HoverText(const QPointF& point, const QRectF& area) const {
  for (const Bar& bar : Bars(area)) {
    // The whole height of the bar's column answers, so a short bar is easy to point at.
    const QRectF column(bar.rect.left(), plot(area).top(), bar.rect.width(), plot(area).height());
    if (!column.contains(point)) continue;
    const Period& period = periods_[bar.period];
    return QStringLiteral("%1\nIncome: %2\nExpenses: %3\nProfit: %4")
        .arg(locale_.toString(period.last, QLocale::ShortFormat), money(period.income),
             money(period.expenses), money(period.profit));
  }
  return QString();
}

bool ProfitChart::WritePng(const QString& path, const QSize& size) const {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  Paint(painter, QRectF(QPointF(0, 0), size));
  painter.end();
  return image.save(path, "PNG");
}

bool ProfitChart::WriteSvg(const QString& path, const QSize& size) const {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title_);
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  Paint(painter, QRectF(QPointF(0, 0), size));
  return painter.end();
}

bool ProfitChart::WritePdf(const QString& path) const {
  QPdfWriter pdf(path);
  pdf.setPageOrientation(QPageLayout::Landscape);
  pdf.setTitle(title_);
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  Paint(painter, QRectF(painter.viewport()));
  return painter.end();
}
