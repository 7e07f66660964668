#include "ProfitChartView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

ProfitChartView::ProfitChartView(ProfitChart chart, QWidget* parent)
    : QWidget(parent), chart_(std::move(chart)) {
  setObjectName(QStringLiteral("chartView"));
  setMouseTracking(true);
}

void ProfitChartView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  chart_.Paint(painter, QRectF(rect()));
}

void ProfitChartView::mouseMoveEvent(QMouseEvent* event) {
  const QString text = chart_.HoverText(event->position(), QRectF(rect()));
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(event->globalPosition().toPoint(), text, this);
  }
}
