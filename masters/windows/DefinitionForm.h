// The frame the account and folder definition windows share: a four-digit number field,
// a description of up to 30 characters, and the Save, Delete, Cancel and help buttons.
// Each window adds its labels (and any further field) and carries out its handlers.
// Every handler runs under the error guard, so a number that is no number ends in the
// general error box with nothing written.
#pragma once

#include <QDialog>

#include "ExitEdit.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class Ui;

class DefinitionForm : public QDialog {
  Q_OBJECT

 public:
  // Fills the window for the chosen record or a new one; runs on every show.
  virtual void prepare() = 0;
  // Checks and re-formats the number when the user leaves its field.
  virtual void numberLeft() = 0;
  virtual void saveClicked() = 0;
  virtual void deleteClicked() = 0;
  // Closes the window; nothing is written and the hand-over value is left as it is.
  void cancelClicked() { reject(); }

  // Before each show the window takes its client area in the desktop's font units, or
  // what its fields need when more.
  void setVisible(bool visible) override;

  ExitEdit* numberEdit;
  QLineEdit* descriptionEdit;
  QPushButton *saveButton, *deleteButton, *cancelButton, *helpButton;

 protected:
  // A window named name (as the forms are known) with caption, a fixed client area and
  // the help topic helpContext. ui must outlive the window.
  DefinitionForm(Ui& ui, const QString& name, const QString& caption, QSize client, int helpContext,
                 QWidget* parent);

  Ui& ui() { return ui_; }
  // Adds a row of the field grid: label (may be null) beside field. The number and the
  // description are expected first, in that order.
  void addField(QLabel* label, QWidget* field);
  // A label of the field grid, right-aligned against its field.
  QLabel* fieldLabel(const QString& name, const QString& text);

  void showEvent(QShowEvent* event) override;

 private:
  Ui& ui_;
  QGridLayout* fields_;
  int fieldRows_ = 0;
  QSize client_;
};
