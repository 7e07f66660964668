#include "ProgressPanel.h"

#include <QPainter>
#include <algorithm>

ProgressPanel::ProgressPanel(QWidget* parent) : QWidget(parent) { setFixedWidth(kWidth); }

void ProgressPanel::setPercent(int percent) {
  percent_ = std::clamp(percent, 0, 100);
  repaint();
}

void ProgressPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Rows 3 to height - 1 and columns 5 to 5 + percent, right and bottom edges excluded.
  const int top = 3;
  const int rows = height() - 1 - top;
  painter.fillRect(QRect(5, top, 100, rows), QColor(0xC0, 0xC0, 0xC0));
  if (percent_ > 0) painter.fillRect(QRect(5, top, percent_, rows), Qt::blue);
}
