// A report row in which some columns stay completely empty. AddRow writes every column it
// is given with its prefix, and a prefix alone still pads a fixed-column line to its
// position; a column that must not move the next cell has to hold nothing at all.
#pragma once

#include <QList>

#include "ReportBuilder.h"

// Writes a row as AddRow does, except that the cells of emptyColumns stay empty, without
// their prefix (their texts are ignored). Returns the row's line index.
inline int AddSparseRow(ReportBuilder& builder, const QStringList& texts,
                        const QList<int>& emptyColumns, int linesNeeded = 1) {
  const QStringList prefixes = builder.CellPrefixes;
  QStringList cells = texts;
  for (const int column : emptyColumns) {
    builder.CellPrefixes[column].clear();
    cells[column].clear();
  }
  const int line = builder.AddRow(cells, linesNeeded);
  builder.CellPrefixes = prefixes;
  return line;
}
