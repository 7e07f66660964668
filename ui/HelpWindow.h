// The help window: the program's manual, HTML topics compiled into the program, opened
// at a window's help context number or at the contents.
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // The topic of a help context number; the contents when no topic has that number.
  static QUrl topicUrl(int context);
  static QUrl contentsUrl();

  // Shows url and brings the window to the front.
  void showPage(const QUrl& url);
  QUrl currentPage() const;

 private:
  QTextBrowser* browser_;
};
