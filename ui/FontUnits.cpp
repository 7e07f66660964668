#include "FontUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kDesignedCharWidth = 6.0;
constexpr double kDesignedLineHeight = 13.0;

int Grown(int pixels, double factor) {
  return static_cast<int>(std::lround(pixels * std::max(factor, 1.0)));
}

QSize Fitting(QWidget& widget, QSize designed) {
  return FontUnits::Scaled(widget, designed).expandedTo(widget.sizeHint());
}

}  // namespace

namespace FontUnits {

QSize Scaled(const QWidget& widget, QSize designed) {
  const QFontMetrics metrics = widget.fontMetrics();
  return {Grown(designed.width(), metrics.averageCharWidth() / kDesignedCharWidth),
          ScaledHeight(widget, designed.height())};
}

int ScaledHeight(const QWidget& widget, int designed) {
  return Grown(designed, widget.fontMetrics().height() / kDesignedLineHeight);
}

void FixSize(QWidget& widget, QSize designed) { widget.setFixedSize(Fitting(widget, designed)); }

void Resize(QWidget& widget, QSize designed) { widget.resize(Fitting(widget, designed)); }

void UseFixedPitch(QWidget& widget) {
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(widget.font().pointSizeF());
  widget.setFont(fixed);
}

}  // namespace FontUnits
