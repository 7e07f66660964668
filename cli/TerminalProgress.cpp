#include "TerminalProgress.h"

#include <algorithm>

void TerminalProgress::ShowStatus(const QString& text) {
  caption_ = text;
  if (text.isEmpty()) {
    if (drawn_ && enabled_) err_ << '\n' << std::flush;
    drawn_ = false;
    return;
  }
  draw(Line(caption_, 0));
}

void TerminalProgress::ShowProgress(int percent) {
  if (caption_.isEmpty() && percent == 0) return;
  draw(Line(caption_, percent));
}

QString TerminalProgress::Line(const QString& caption, int percent) {
  const int clamped = std::clamp(percent, 0, 100);
  const int filled = clamped * kBarWidth / 100;
  return QStringLiteral("%1 [%2%3] %4%")
      .arg(caption, QString(filled, QLatin1Char('#')),
           QString(kBarWidth - filled, QLatin1Char('.')))
      .arg(clamped, 3);
}

void TerminalProgress::draw(const QString& line) {
  if (!enabled_) return;
  // Carriage return, the line, and "erase to the end" for a shorter caption.
  err_ << '\r' << line.toStdString() << "\x1b[K" << std::flush;
  drawn_ = true;
}
