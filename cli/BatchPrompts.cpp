#include "BatchPrompts.h"

void BatchPrompts::Tell(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  err_ << lines.toStdString() << '\n' << std::flush;
}

Prompts::Answer BatchPrompts::message(Type, Buttons buttons, const QString& text) {
  Tell(text);
  return RefusingAnswer(buttons);
}
