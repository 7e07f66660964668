// The profit chart of a monthly profit report: one income and one expenses bar per month,
// painted offscreen where Bars places them, the hover text of a bar, and the picture
// files it writes.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "LedgerBooks.h"
#include "ProfitChart.h"
#include "ProfitReport.h"

namespace {

class ProfitChartTest : public testing::Test, public LedgerBooks {
 protected:
  // The monthly profit of 15 January to 10 March 2024: January, February and March.
  ProfitChartTest() {
    addSampleYear();
    ProfitReport(db, report.builder, ProfitReport::Period::Monthly).Build();
  }
  ProfitChart chart() const {
    return ProfitChart::FromDocument(report.document(),
                                     QLocale(QLocale::English, QLocale::Australia));
  }

  LedgerReport report{*this, {2024, 1, 15}, {2024, 3, 10}};
};

TEST_F(ProfitChartTest, OnePairOfBarsPerPeriodPaintedWhereTheyStand) {
  const ProfitChart profit = chart();
  ASSERT_EQ(profit.Periods().size(), 3);
  // The monthly report starts on 1 January. January: income 50.00 + 220.00, expenses
  // 40.00 + 110.00 + 20.00; February: 80.00 and 15.00 income, 55.00 expenses; March: 40.00
  // and 30.00.
  EXPECT_EQ(profit.Periods()[0].last, QDate(2024, 1, 31));
  EXPECT_DOUBLE_EQ(profit.Periods()[0].income, 270.00);
  EXPECT_DOUBLE_EQ(profit.Periods()[0].expenses, 170.00);
  EXPECT_DOUBLE_EQ(profit.Periods()[1].profit, 95.00 - 55.00);

  QImage image(800, 500, QImage::Format_RGB32);
  QPainter painter(&image);
  const QRectF area(0, 0, 800, 500);
  profit.Paint(painter, area);
  painter.end();
  const QList<ProfitChart::Bar> bars = profit.Bars(area);
  ASSERT_EQ(bars.size(), 6);
  int income = 0, expenses = 0;
  for (const ProfitChart::Bar& bar : bars) {
    // Each bar's middle holds its colour (the profit line crosses no bar's middle here).
    const QRgb colour = image.pixel(bar.rect.left() + 2, bar.rect.bottom() - 2);
    EXPECT_EQ(colour, bar.income ? ProfitChart::kIncomeColour : ProfitChart::kExpensesColour);
    (bar.income ? income : expenses) += 1;
  }
  EXPECT_EQ(income, 3);
  EXPECT_EQ(expenses, 3);
  // Counted in the picture itself: runs of bar colour along a line just above zero.
  const int y = static_cast<int>(bars.front().rect.bottom()) - 2;
  int runs = 0;
  QRgb previous = 0;
  for (int x = 0; x < image.width(); ++x) {
    const QRgb colour = image.pixel(x, y);
    const bool bar = colour == ProfitChart::kIncomeColour || colour == ProfitChart::kExpensesColour;
    if (bar && colour != previous) ++runs;
    previous = bar ? colour : 0;
  }
  EXPECT_EQ(runs, 6);
  EXPECT_EQ(profit.HoverText(bars[1].rect.center(), area),
            QStringLiteral("31/1/24\nIncome: 270.00\nExpenses: 170.00\nProfit: 100.00"));
}

TEST_F(ProfitChartTest, WritesPngAndSvgAndOnlyProfitReportsHaveOne) {
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("chart.png"));
  ASSERT_TRUE(chart().WritePng(png, QSize(640, 400)));
  EXPECT_EQ(QImage(png).size(), QSize(640, 400));
  const QString svg = dir.filePath(QStringLiteral("chart.svg"));
  ASSERT_TRUE(chart().WriteSvg(svg, QSize(640, 400)));
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("<svg"));
  EXPECT_TRUE(chart().WritePdf(dir.filePath(QStringLiteral("chart.pdf"))));

  LedgerReport other(*this, {2024, 1, 15}, {2024, 3, 10});
  other.builder.BeginReport(40, 3);
  other.builder.AddRow({QStringLiteral("x")});
  EXPECT_TRUE(ProfitChart::FromDocument(other.document(), QLocale()).IsEmpty());
}

}  // namespace
