// SPDX-License-Identifier: BSD-3-Clause
#pragma once

namespace tk5 {

// The 32-bit float sums of n consecutive values for count consecutive starts:
// out[k] = ((0 + x[k]) + x[k + 1]) + ... + x[k + n - 1], each added in this order, exactly the
// float values of a loop that adds one value at a time. Several starts are worked out in the
// same pass (each start keeps its own sum and its own order), which is where the speed comes
// from. x must hold count + n - 1 values; with n <= 0 every sum is 0.
void SumsOfWindows(const float* x, long count, long n, float* out);

// Whether no sum of consecutive values of x[0] .. x[length - 1], added one at a time in
// 32-bit floats from 0, can reach the largest float: every value finite and their absolute
// values adding up to well below it. Then adding in 32-bit floats gives the same results as
// adding in double precision and storing each partial sum as a float, with nothing too large
// to store.
bool SumsStayFinite(const float* x, long length);

} // namespace tk5
