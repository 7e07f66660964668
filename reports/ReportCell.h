// One content cell of a report line, read from its text, and the one column rule that
// places it on the screen, on the printed page and in the fixed-column export alike.
//
// Cell texts: "L07Text" (starts at column 7), "R50Text" (ends at column 50), "C38Text"
// (centred on column 38), "EJECT" (page break), "V12" (vertical rule at column 12),
// "H0576" (horizontal rule from column 5 to 76 at the line's top), "IC38logo.bmp" (picture
// aligned L, C or R on column 38). A column is two characters; a leading blank may stand
// for a leading zero.
#pragma once

#include <QSizeF>
#include <QString>

struct ReportCell {
  enum class Kind { Empty, Left, Right, Centre, Eject, VerticalRule, HorizontalRule, Image, Other };

  Kind kind = Kind::Empty;
  int column = 0;           // text, V and I cells: their column; H cells: where the rule starts
  int endColumn = 0;        // H cells: where the rule ends
  Kind align = Kind::Left;  // I cells: Left, Centre or Right
  QString text;             // text cells: the text; I cells: the picture's file name

  // The cell read from its text; an empty text gives kind Empty, an unknown first letter
  // Other. Missing or unreadable columns read as 0.
  static ReportCell Parse(const QString& cell);

  // cell (an L, R or C cell, or its prefix alone) at its column + shift; any other cell
  // as it is.
  static QString Moved(const QString& cell, int shift);

  bool IsText() const { return kind == Kind::Left || kind == Kind::Right || kind == Kind::Centre; }

  // Where something width units wide starts when aligned by kind (Left, Centre or Right)
  // on column, in a grid of charWidth units per column whose column 0 is at leftEdge.
  // Other kinds give 0. The export uses charWidth 1 and leftEdge 0, so a width of text
  // length gives the character position.
  static int StartX(Kind kind, int column, int width, int charWidth, int leftEdge);

  // The size in inches a picture line asks for in print: its style cell holds the height
  // in characters 2 to 6 and the width in 7 to 11. Unreadable numbers give 0.
  static QSizeF PrintedImageSize(const QString& style);
};
