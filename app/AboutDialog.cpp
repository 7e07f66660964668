#include "AboutDialog.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "AppState.h"

AboutDialog::AboutDialog(const AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
  setObjectName(QStringLiteral("AboutDialog"));
  setFixedSize(370, 289);
  auto* picture = new QLabel(this);
  picture->setGeometry(rect());
  picture->setPixmap(QPixmap(QStringLiteral(":/icons/about.png")));
  picture->setScaledContents(true);

  okButton = new QPushButton(tr("OK"), this);
  okButton->setObjectName(QStringLiteral("okButton"));
  okButton->setGeometry(280, 250, 75, 26);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::showEvent(QShowEvent* event) {
  setWindowTitle(QStringLiteral("About Tallyworth ") + state_.ProgramVersion);
  okButton->setVisible(!state_.SplashMode);
  QDialog::showEvent(event);
}
