// The profit report as a chart: per period of the report the income and the expenses as
// two bars side by side and the net profit as a line through the periods, on an amount
// axis with grid lines, each period labelled with its last day. Painted with QPainter on
// any device (the viewer's chart view, the printer, a PNG image, a PDF or SVG file), so
// the screen, the print and the command line show the same picture.
#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QRectF>
#include <QString>

class QPainter;
class ReportDocument;

class ProfitChart {
 public:
  struct Period {
    QDate last;  // the period's last day
    double income = 0;
    double expenses = 0;
    double profit = 0;
  };
  struct Bar {
    int period = 0;
    bool income = true;  // else the expenses bar
    QRectF rect;
  };

  ProfitChart(QList<Period> periods, QString title, QLocale locale);
  // The periods of a profit report document (its item rows); none for any other report.
  static ProfitChart FromDocument(const ReportDocument& document, const QLocale& locale);

  const QList<Period>& Periods() const { return periods_; }
  bool IsEmpty() const { return periods_.isEmpty(); }

  // Paints the whole chart into area.
  void Paint(QPainter& painter, const QRectF& area) const;
  // The bars as Paint places them in area, income before expenses, period by period.
  QList<Bar> Bars(const QRectF& area) const;
  // What the pointer at point over area shows: the period's last day and its three
  // amounts; empty when it is over no bar.
  QString HoverText(const QPointF& point, const QRectF& area) const;

  // The chart into a file; false when it cannot be written.
  bool WritePng(const QString& path, const QSize& size) const;
  bool WriteSvg(const QString& path, const QSize& size) const;
  bool WritePdf(const QString& path) const;

  static constexpr QRgb kIncomeColour = 0xff2e7d32;
  static constexpr QRgb kExpensesColour = 0xffc62828;
  static constexpr QRgb kProfitColour = 0xff1565c0;

 private:
  // The plotting area inside area, and the amount range its height stands for.
  QRectF plot(const QRectF& area) const;
  double top() const;
  double bottom() const;
  double yOf(double amount, const QRectF& plot) const;
  QString money(double amount) const;

  QList<Period> periods_;
  QString title_;
  QLocale locale_;
};
