#include "ReportDocument.h"

void ReportDocument::Reset(int reportWidth, int cellCount) {
  reportWidth_ = reportWidth;
  cellCount_ = cellCount;
  Clear();
}

void ReportDocument::Clear() {
  ReportLines.clear();
  dataColumns_.clear();
  dataRows_.clear();
  profitPeriods_ = false;
}

int ReportDocument::AddLine() {
  QStringList line;
  line.resize(cellCount_);
  ReportLines.append(line);
  return LastLine();
}
