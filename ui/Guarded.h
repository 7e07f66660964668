// The one place where a conversion error that a handler does not catch is caught: the
// general error box shows its text and the handler stops there. Every handler of a user
// action runs through runGuarded, directly or through guarded() when it is connected.
#pragma once

#include <QString>
#include <utility>

#include "ConversionError.h"
#include "Ui.h"

// Runs handler; returns false when it was stopped by a ConversionError (then shown).
template <class Handler>
bool runGuarded(Ui& ui, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const ConversionError& error) {
    ui.errorBox(QString::fromStdString(error.what()));
    return false;
  }
}

// handler wrapped for QObject::connect (any arguments of the signal are dropped).
template <class Handler>
auto guarded(Ui& ui, Handler handler) {
  return [&ui, handler = std::move(handler)]() mutable { runGuarded(ui, handler); };
}
