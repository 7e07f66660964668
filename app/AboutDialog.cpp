#include "AboutDialog.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "AppState.h"

AboutDialog::AboutDialog(const AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setObjectName(QStringLiteral("AboutForm"));
  setFixedSize(370, 289);
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setGeometry(rect());
  picture->setPixmap(QPixmap(QStringLiteral(":/icons/about.png")));
  picture->setScaledContents(true);

  Button1 = new QPushButton(tr("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(280, 250, 75, 26);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::showEvent(QShowEvent* event) {
  setWindowTitle(QStringLiteral("About Tallyworth ") + state_.ProgramVersion);
  Button1->setVisible(!state_.SplashMode);
  QDialog::showEvent(event);
}
