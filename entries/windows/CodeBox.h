// The account and folder boxes of the entry windows: a drop-down list of the records of
// a chart or of the folders, each item the record's number as stored (right-aligned in
// four characters), " - " and its name as stored. The number of a choice is read back
// from the item's first four characters. Typed characters are refused, so an item can
// only be chosen from the list.
#pragma once

#include <QComboBox>

#include "TableAccess.h"

class CodeBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CodeBox(QWidget* parent = nullptr);

  // Refills the box from table, walked from the top of its selected tag; records marked
  // deleted are left out. Selects the item whose number is current, else the first.
  // Returns false when the table has no record to list.
  bool Fill(DATA4* table, FIELD4* number, FIELD4* name, int current);
  // The number in the first four characters of the chosen item. Throws ConversionError
  // when no item is chosen or they hold no whole number.
  int Number() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
