#include "MainPage.h"

#include <QGridLayout>
#include <QPainter>

#include "HelpButton.h"

namespace {
constexpr int kShapeMargin = 6;  // navy seen around the teal shape
}  // namespace

MainPage::MainPage(const QString& name, int helpContext, Ui& ui, QWidget* parent)
    : QWidget(parent), helpContext_(helpContext), ui_(ui) {
  setObjectName(name);
  setAutoFillBackground(false);
  // Text on the teal shape is white; edits and buttons keep their own colours.
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  setPalette(palette);
  grid_ = new QGridLayout(this);
  grid_->setContentsMargins(kShapeMargin + 10, kShapeMargin + 8, kShapeMargin + 10,
                            kShapeMargin + 6);
}

void MainPage::addHelpButton() {
  helpButton = new HelpButton(ui_, helpContext_, this);
  helpButton->setToolTip(tr("Help on this page."));
  grid_->addWidget(helpButton, grid_->rowCount(), 0, 1, grid_->columnCount(),
                   Qt::AlignRight | Qt::AlignBottom);
}

void MainPage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), navy());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(teal());
  painter.drawRoundedRect(rect().adjusted(kShapeMargin, kShapeMargin, -kShapeMargin, -kShapeMargin),
                          10, 10);
}
