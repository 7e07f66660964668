// The error a value conversion raises when text is not a number or a value does not fit
// its field. The application catches it in one place and shows its text to the user.
#pragma once

#include <stdexcept>
#include <string>

class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
};
