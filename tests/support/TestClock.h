// A clock that shows the date a test sets.
#pragma once

#include <QDate>

#include "Clock.h"

class TestClock : public Clock {
 public:
  explicit TestClock(QDate today = QDate(2026, 6, 15)) : today_(today) {}
  QDate today() const override { return today_; }
  void set(QDate today) { today_ = today; }

 private:
  QDate today_;
};
