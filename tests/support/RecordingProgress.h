// A progress sink that keeps every call, for checking captions and progress sequences.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "ProgressSink.h"

class RecordingProgress : public ProgressSink {
 public:
  void ShowStatus(const QString& text) override {
    statuses.append(text);
    events.append(QStringLiteral("status:") + text);
  }
  void ShowProgress(int percent) override {
    progress.append(percent);
    events.append(QStringLiteral("progress:%1").arg(percent));
  }
  void clear() {
    statuses.clear();
    progress.clear();
    events.clear();
  }

  QStringList statuses;
  QList<int> progress;
  QStringList events;  // both kinds, interleaved as called
};
