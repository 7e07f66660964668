// The About box: the program's picture and an OK button. At start-up it stands on the
// screen as the splash, without its OK button.
#pragma once

#include <QDialog>

struct AppState;
class QPushButton;

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  // state must outlive the box.
  explicit AboutDialog(const AppState& state, QWidget* parent = nullptr);

  QPushButton* okButton;

 protected:
  // On every show: caption "About Tallyworth <version>"; the OK button hidden while the
  // box is the splash.
  void showEvent(QShowEvent* event) override;

 private:
  const AppState& state_;
};
