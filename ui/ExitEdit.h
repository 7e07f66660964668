// A line edit that runs a handler when the user leaves it for another control, as the
// fields of the settings and entry windows check and store their value on leaving. A
// conversion error the handler raises is shown in the general error box and the focus
// stays in the edit, so a field cannot be left with a value that is no number.
#pragma once

#include <QLineEdit>
#include <functional>

class Ui;

class ExitEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit ExitEdit(Ui& ui, QWidget* parent = nullptr);  // ui must outlive the edit

  // The field's name as its label says it; a conversion message starts with it.
  void setFieldName(const QString& name) { fieldName_ = name; }
  // The text as a whole number (blanks around it allowed); a ConversionError that names
  // the field when it is none.
  int intValue() const;
  // handler runs on every exit; it may put the focus back itself to refuse a value.
  void setExitHandler(std::function<void()> handler) { exitHandler_ = std::move(handler); }
  // The exit steps, as leaving the edit runs them: beforeExit, then the handler, under
  // the error guard. Returns false when a conversion error stopped them (focus kept).
  bool runExit();

 protected:
  Ui& ui() { return ui_; }
  // Work a kind of edit does on every exit before the handler sees the value.
  virtual void beforeExit() {}
  // Leaving for another control runs the exit; a switch to another window or a pop-up
  // menu does not, as the user has not left the field.
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // A conversion message with the field's name in front, once.
  QString named(const QString& message) const;

  Ui& ui_;
  QString fieldName_;
  std::function<void()> exitHandler_;
};
