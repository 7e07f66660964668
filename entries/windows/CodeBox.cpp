#include "CodeBox.h"

#include <QKeyEvent>

#include "ConversionError.h"
#include "FontUnits.h"
#include "StrToInt.h"
#include "TableWalk.h"

CodeBox::CodeBox(QWidget* parent) : QComboBox(parent) { FontUnits::UseFixedPitch(*this); }

bool CodeBox::Fill(DATA4* table, FIELD4* number, FIELD4* name, int current) {
  clear();
  int chosen = 0;
  WalkAll(table, [&] {
    if (d4deleted(table)) return;
    if (f4int(number) == current) chosen = count();
    addItem(f4text(number) + QStringLiteral(" - ") + f4text(name));
  });
  setCurrentIndex(count() > 0 ? chosen : -1);
  return count() > 0;
}

int CodeBox::Number() const {
  if (currentIndex() < 0) throw ConversionError("No item is chosen");
  return StrToInt(currentText().left(4));
}

void CodeBox::keyPressEvent(QKeyEvent* event) {
  // A typed character would pick an item by its first letters; only the list chooses.
  if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}
