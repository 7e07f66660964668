// The status bar services long operations report to (the main window implements them).
#pragma once

#include <QString>

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // Puts text into the status caption and clears the progress bar; empty text clears both.
  virtual void ShowStatus(const QString& text) = 0;
  // Paints the progress bar at percent (0 to 100); 0 erases it.
  virtual void ShowProgress(int percent) = 0;
};
