#include "UiProgramHost.h"

#include "Ui.h"

void UiProgramHost::fatal(const QString& message) {
  ui_.message(Ui::Type::Information, Ui::Buttons::Ok, message);
  ui_.endProgram(1);
}
