// The question of the very first start, when no books were ever opened: open existing
// books, create new books, or try the sample books. Closing it chooses nothing.
#pragma once

#include <QDialog>

class QPushButton;

class FirstStartDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Choice { None, OpenExisting, CreateNew, TrySample };

  explicit FirstStartDialog(QWidget* parent = nullptr);

  // The button the user pressed at the last show; None after a close or Quit.
  Choice choice() const { return choice_; }

  QPushButton *openBooksButton, *newBooksButton, *sampleBooksButton, *quitButton;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPushButton* choiceButton(const QString& name, const QString& caption, Choice choice);

  Choice choice_ = Choice::None;
};
