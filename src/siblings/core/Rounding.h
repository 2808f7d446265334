#pragma once

// Rounds half away from zero at the given number of decimals (0..15), judging the
// value by its decimal digits: 1.005 -> 1.01, 2.675 -> 2.68, -1.005 -> -1.01.
// Every stored amount and running sum of money passes through here.
double zaokr(double value, int decimals);
