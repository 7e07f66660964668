#include "MaskedNumberEdit.h"

#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <cstdlib>

#include "ConversionError.h"
#include "Conversions.h"
#include "Guarded.h"
#include "NumberText.h"

MaskedNumberEdit::MaskedNumberEdit(Ui& ui, const char* format, QWidget* parent)
    : ExitEdit(ui, parent), format_(format) {
  // The width of "%7.4f" is 7: the longest text the value prints to.
  setMaxLength(std::atoi(format + 1));
  // Blanks, one minus sign, digits and one decimal separator, as the mask allows.
  const QString separator = QRegularExpression::escape(locale().decimalPoint());
  setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("^ *-? *[0-9]*(%1[0-9]*)? *$").arg(separator)), this));
  connect(this, &QLineEdit::textChanged, this, &MaskedNumberEdit::colour);
}

void MaskedNumberEdit::setValue(double value) {
  setText(NumberText::Format(format_, value, locale()));
}

void MaskedNumberEdit::reformat() {
  setText(Conversions::ReformatNumber(text(), format_, locale()));
}

double MaskedNumberEdit::value() const {
  QString compact = text();
  compact.remove(QLatin1Char(' '));
  bool ok = false;
  const double number = locale().toDouble(compact, &ok);
  if (!ok) {
    throw ConversionError("'" + compact.toStdString() + "' is not a valid floating point value");
  }
  return number;
}

void MaskedNumberEdit::keyPressEvent(QKeyEvent* event) {
  const QString separator = locale().decimalPoint();
  if (event->text() != separator) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // The separator is already in the re-formatted text: step over it and let the user
  // type the decimals over the ones shown.
  if (runGuarded(ui(), [this] { reformat(); })) {
    const qsizetype at = text().indexOf(separator);
    setSelection(int(at + separator.size()), int(text().size() - at - separator.size()));
  }
  event->accept();
}

void MaskedNumberEdit::colour() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Text,
                   text().contains(QLatin1Char('-')) ? QColor(Qt::red) : QColor(Qt::black));
  setPalette(palette);
}
