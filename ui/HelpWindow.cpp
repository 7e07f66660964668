#include "HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(tr("Tallyworth Help"));
  resize(640, 560);

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("browser"));
  browser_->setOpenExternalLinks(true);

  auto* contentsButton = new QPushButton(tr("&Contents"), this);
  contentsButton->setObjectName(QStringLiteral("contentsButton"));
  auto* backButton = new QPushButton(tr("&Back"), this);
  backButton->setObjectName(QStringLiteral("backButton"));
  backButton->setEnabled(false);
  auto* closeButton = new QPushButton(tr("C&lose"), this);
  closeButton->setObjectName(QStringLiteral("closeButton"));
  connect(contentsButton, &QPushButton::clicked, this, [this] { showPage(contentsUrl()); });
  connect(backButton, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, backButton, &QPushButton::setEnabled);
  connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contentsButton);
  buttons->addWidget(backButton);
  buttons->addStretch();
  buttons->addWidget(closeButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_);
}

QUrl HelpWindow::topicUrl(int context) {
  const QString path = QStringLiteral(":/help/%1.html").arg(context);
  return QFile::exists(path) ? QUrl(QStringLiteral("qrc") + path) : contentsUrl();
}

QUrl HelpWindow::contentsUrl() { return QUrl(QStringLiteral("qrc:/help/index.html")); }

void HelpWindow::showPage(const QUrl& url) {
  browser_->setSource(url);
  show();
  raise();
  activateWindow();
}

QUrl HelpWindow::currentPage() const { return browser_->source(); }
