#include "ContainedTax.h"

double ContainedTax(double rate, double amount) {
  const double r = rate / 100;
  return r * amount / (r + 1);
}
