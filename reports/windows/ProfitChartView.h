// The profit report's chart on screen (ProfitChart), with the period and its amounts on
// hover over a bar.
#pragma once

#include <QWidget>

#include "ProfitChart.h"

class ProfitChartView : public QWidget {
  Q_OBJECT

 public:
  ProfitChartView(ProfitChart chart, QWidget* parent = nullptr);
  const ProfitChart& Chart() const { return chart_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  ProfitChart chart_;
};
