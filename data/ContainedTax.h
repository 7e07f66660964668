// The tax a tax-inclusive amount contains, at the settings' rate: what the entry windows
// show and the bank statement import stores.
#pragma once

// rate/100 x amount / (rate/100 + 1); rate is a percentage (10 for ten per cent).
double ContainedTax(double rate, double amount);
