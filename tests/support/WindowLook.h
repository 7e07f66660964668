// The look of a window: every widget inside it and every label and button wide enough for
// its text. With TALLYWORTH_SHOTS set to a directory, the window is also saved there as a
// PNG for a person to look at.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QString>
#include <QWidget>

// What a button's width must hold: the style's minimum size hint (which may add a minimum
// width of its own), or only its text and icon with a small margin.
enum class ButtonWidth { StyleHint, TextAndIcon };

// Fails for each visible widget of window that lies outside it, and for each visible label
// (word-wrapped ones excepted) or button narrower than its text needs; saves the window as
// <name>.png in $TALLYWORTH_SHOTS when that is set.
inline void CheckWindowLook(QWidget& window, const QString& name, ButtonWidth buttons) {
  QApplication::processEvents();
  const std::string title = name.toStdString();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisible()) continue;
    const std::string childName = child->objectName().toStdString();
    const QRect place(child->mapTo(&window, QPoint(0, 0)), child->size());
    EXPECT_TRUE(window.rect().contains(place)) << title << ": " << childName << " lies outside";
    auto* label = qobject_cast<QLabel*>(child);
    auto* button = qobject_cast<QAbstractButton*>(child);
    if ((label && !label->wordWrap()) || (button && buttons == ButtonWidth::StyleHint)) {
      EXPECT_GE(child->width(), child->minimumSizeHint().width())
          << title << ": the text of " << childName << " is cut";
    } else if (button) {
      const int needed =
          button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
          (button->icon().isNull() ? 0 : button->iconSize().width() + 4) + 8;
      EXPECT_GE(child->width(), needed) << title << ": the text of " << childName << " is cut";
    }
  }
  const QString shots = qEnvironmentVariable("TALLYWORTH_SHOTS");
  if (!shots.isEmpty()) {
    EXPECT_TRUE(window.grab().save(QDir(shots).filePath(name + QStringLiteral(".png"))));
  }
}
