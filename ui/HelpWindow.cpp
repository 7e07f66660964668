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
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenExternalLinks(true);

  auto* contents = new QPushButton(tr("&Contents"), this);
  contents->setObjectName(QStringLiteral("BtnContents"));
  auto* back = new QPushButton(tr("&Back"), this);
  back->setObjectName(QStringLiteral("BtnBack"));
  back->setEnabled(false);
  auto* close = new QPushButton(tr("C&lose"), this);
  close->setObjectName(QStringLiteral("BtnClose"));
  connect(contents, &QPushButton::clicked, this, [this] { showPage(contentsUrl()); });
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(close, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back);
  buttons->addStretch();
  buttons->addWidget(close);
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
