// The masked numeric edit of the settings and entry windows: a fixed-width number in the
// locale's notation. Typing the decimal separator re-formats the text so the whole part
// moves into place before it (ReformatNumber) and selects the decimals for typing;
// leaving re-formats it again before the exit handler reads the value. The text is red
// while it holds a minus sign.
#pragma once

#include "ExitEdit.h"

class MaskedNumberEdit : public ExitEdit {
  Q_OBJECT

 public:
  // format is the printf format of the value ("%7.4f" for a rate, "%9.2f" for money);
  // its width is the longest text the edit takes.
  MaskedNumberEdit(Ui& ui, const char* format, QWidget* parent = nullptr);

  // Shows value in the edit's format.
  void setValue(double value);
  // Replaces the text with its re-formatted form. Throws ConversionError, text unchanged,
  // when the text is no number.
  void reformat();
  // The number the text shows. Throws ConversionError when the text is no number.
  double value() const;

 protected:
  void beforeExit() override { reformat(); }
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void colour();

  const char* format_;
};
