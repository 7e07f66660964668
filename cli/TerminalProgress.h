// The status bar of a terminal: the caption and a bar of the percent done, redrawn in
// place on one line of the error stream. Draws nothing when the stream is no terminal
// (a script's log gets no bar), so only messages reach it.
#pragma once

#include <QString>
#include <ostream>

#include "ProgressSink.h"

class TerminalProgress : public ProgressSink {
 public:
  static constexpr int kBarWidth = 30;

  // err must outlive the object; draws only when enabled.
  TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  ~TerminalProgress() override { ShowStatus(QString()); }

  // Starts a new line with text; empty text ends the line being drawn.
  void ShowStatus(const QString& text) override;
  void ShowProgress(int percent) override;

  // The line drawn for caption at percent (clamped to 0..100), without the return that
  // puts it in place: "Packing Tables [#######.......]  25%".
  static QString Line(const QString& caption, int percent);

 private:
  void draw(const QString& line);

  std::ostream& err_;
  const bool enabled_;
  QString caption_;
  bool drawn_ = false;  // a line is on screen and not yet ended
};
