#include "UiProgramHost.h"

#include <cstdio>
#include <cstdlib>

#include "Ui.h"

void UiProgramHost::tell(const QString& message) {
  ui_.message(Ui::Type::Information, Ui::Buttons::Ok, message);
}

void UiProgramHost::endWith(int exitCode) {
  // Like the C library's exit from the table library: the tables are closed already, and
  // nothing after a fatal error may run on, not even the rest of the event loop.
  std::fflush(nullptr);
  std::_Exit(exitCode);
}
