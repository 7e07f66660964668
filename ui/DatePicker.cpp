#include "DatePicker.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QToolButton>

#include "ConversionError.h"
#include "DateText.h"
#include "ExitEdit.h"
#include "Ui.h"

namespace {

// Alt+Down and F4 open the calendar, as on a combo box.
class CalendarKeys : public QObject {
 public:
  CalendarKeys(QObject* parent, std::function<void()> open)
      : QObject(parent), open_(std::move(open)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_F4 ||
          (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
        open_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> open_;
};

}  // namespace

DatePicker::DatePicker(Ui& ui, const QString& fieldName, QWidget* parent)
    : QWidget(parent), fieldName_(fieldName) {
  lineEdit = new ExitEdit(ui, this);
  lineEdit->setObjectName(QStringLiteral("dateText"));
  lineEdit->setExitHandler([this] { readDate(); });
  lineEdit->installEventFilter(new CalendarKeys(this, [this] { openCalendar(); }));
  const int width = lineEdit->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000"));
  lineEdit->setMinimumWidth(width + 12);
  calendarButton = new QToolButton(this);
  calendarButton->setObjectName(QStringLiteral("calendarButton"));
  calendarButton->setArrowType(Qt::DownArrow);
  calendarButton->setToolTip(tr("Choose the date from a calendar (Alt+Down)"));
  // Tab goes from the text to the next field, never to the button.
  calendarButton->setFocusPolicy(Qt::NoFocus);
  connect(calendarButton, &QToolButton::clicked, this, [this] { openCalendar(); });
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(lineEdit);
  layout->addWidget(calendarButton);
  setFocusProxy(lineEdit);
  setFocusPolicy(Qt::StrongFocus);
}

QString DatePicker::displayFormatFor(const QLocale& locale) {
  QString format = locale.dateFormat(QLocale::ShortFormat);
  // Any run of year letters becomes "yyyy".
  return format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
}

void DatePicker::setDate(const QDate& date) {
  const bool changed = date != date_;
  date_ = date;
  showDate();
  if (changed) emit dateChanged(date_);
}

void DatePicker::showDate() {
  lineEdit->setText(locale().toString(date_, displayFormatFor(locale())));
}

QDate DatePicker::readDate() {
  const QString text = lineEdit->text().trimmed();
  const QDate read = DateText::Read(text, locale(), QDate::currentDate().year());
  if (!read.isValid()) {
    lineEdit->setFocus();
    const QString example = locale().toString(QDate(2025, 7, 15), displayFormatFor(locale()));
    throw ConversionError(
        (fieldName_ + QStringLiteral(": '") + text +
         QStringLiteral("' is not a date.\r\nType the day, month and year (for example ") +
         example + QStringLiteral(") or pick the date from the calendar."))
            .toStdString());
  }
  setDate(read);
  return read;
}

bool DatePicker::ReadRange(DatePicker& first, DatePicker& last, Ui& ui) {
  if (first.readDate() <= last.readDate()) return true;
  ui.message(Ui::Type::Warning, Ui::Buttons::Ok,
             QStringLiteral("Beginning date must be on or before end date."));
  first.lineEdit->setFocus();
  return false;
}

void DatePicker::openCalendar() {
  if (!calendar_) {
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("calendar"));
    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setGridVisible(true);
    connect(calendar_, &QCalendarWidget::clicked, this, &DatePicker::picked);
    connect(calendar_, &QCalendarWidget::activated, this, &DatePicker::picked);
  }
  // The calendar opens on the date typed so far when it can be read.
  const QDate typed = DateText::Read(lineEdit->text(), locale(), QDate::currentDate().year());
  calendar_->setSelectedDate(typed.isValid() ? typed : date_);
  calendar_->move(mapToGlobal(QPoint(0, height())));
  calendar_->show();
  calendar_->setFocus();
}

void DatePicker::picked(const QDate& date) {
  calendar_->hide();
  setDate(date);
  lineEdit->setFocus(Qt::PopupFocusReason);
}
