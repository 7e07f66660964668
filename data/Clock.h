// Today's date, behind an interface so tests can fix it (dates decide the year window).
#pragma once

#include <QDate>

class Clock {
 public:
  virtual ~Clock() = default;
  virtual QDate today() const = 0;
  // The machine's clock.
  static const Clock& system();
};
