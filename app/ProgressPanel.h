// Panel 0 of the main window's status bar: a 100-pixel progress bar painted directly,
// blue from x = 5 to 5 + percent over a silver ground that percent 0 shows alone.
#pragma once

#include <QWidget>

class ProgressPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressPanel(QWidget* parent = nullptr);

  // Sets the bar to percent (clamped to 0..100) and paints it at once.
  void setPercent(int percent);
  int percent() const { return percent_; }

  QSize sizeHint() const override { return QSize(kWidth, 20); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  static constexpr int kWidth = 110;
  int percent_ = 0;
};
