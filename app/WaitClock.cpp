#include "WaitClock.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>

namespace {

class SystemWaitClock : public WaitClock {
 public:
  std::int64_t nowMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  void idle(int ms) override {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(ms);
  }
};

}  // namespace

WaitClock& WaitClock::system() {
  static SystemWaitClock clock;
  return clock;
}
