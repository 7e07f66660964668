#include "ReportDocument.h"

void ReportDocument::Reset(int reportWidth, int cellCount) {
  reportWidth_ = reportWidth;
  cellCount_ = cellCount;
  ReportLines.clear();
}

int ReportDocument::AddLine() {
  QStringList line;
  line.resize(cellCount_);
  ReportLines.append(line);
  return LastLine();
}
