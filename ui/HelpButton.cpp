#include "HelpButton.h"

#include <QStyle>

#include "Ui.h"

HelpButton::HelpButton(Ui& ui, int context, QWidget* parent)
    : QPushButton(parent), context_(context) {
  setObjectName(QStringLiteral("helpButton"));
  setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  setText(tr("&Help"));
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [&ui, this] { ui.showHelp(context_); });
}
