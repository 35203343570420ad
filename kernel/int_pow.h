#pragma once

// x to the integer power n by repeated squaring; a negative n gives the reciprocal of x to the
// power -n, and n = 0 gives 1. Exponents may come from files, so every int is taken, INT_MIN too.
double IntPow(double x, int n);
