#include "FirstStartDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FirstStartDialog::FirstStartDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FirstStartDialog"));
  setWindowTitle(tr("Welcome to Tallyworth"));
  auto* intro = new QLabel(tr("Tallyworth keeps your books in a folder of six tables.\n"
                              "Which books would you like to work on?"),
                           this);
  openBooksButton = choiceButton(QStringLiteral("openBooksButton"), tr("&Open existing books..."),
                                 Choice::OpenExisting);
  newBooksButton =
      choiceButton(QStringLiteral("newBooksButton"), tr("&Create new books..."), Choice::CreateNew);
  sampleBooksButton = choiceButton(QStringLiteral("sampleBooksButton"),
                                   tr("&Try the sample books..."), Choice::TrySample);
  quitButton = new QPushButton(tr("&Quit"), this);
  quitButton->setObjectName(QStringLiteral("quitButton"));
  connect(quitButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addSpacing(fontMetrics().height() / 2);
  for (QPushButton* button : {openBooksButton, newBooksButton, sampleBooksButton}) {
    layout->addWidget(button);
  }
  layout->addSpacing(fontMetrics().height() / 2);
  layout->addWidget(quitButton, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FirstStartDialog::showEvent(QShowEvent* event) {
  choice_ = Choice::None;
  QDialog::showEvent(event);
}

QPushButton* FirstStartDialog::choiceButton(const QString& name, const QString& caption,
                                            Choice choice) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, [this, choice] {
    choice_ = choice;
    accept();
  });
  return button;
}
