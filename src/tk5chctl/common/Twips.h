// SPDX-License-Identifier: BSD-3-Clause
#pragma once

#include <QRect>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace tk5 {

// The control places and draws everything in twips; a pixel of a 96-dpi screen is 15 twips.
inline constexpr double kTwipsPerPixel = 15.0;

// Whole pixels of a length in twips, halves to the even neighbour. Wild lengths are clamped
// to a million pixels (and one that is not a number gives 0), so no caller overflows an int.
inline int twipsToPixels(double twips) {
    // Drawing converts four of these per segment, so the quotient is first taken with the
    // reciprocal and rounded without a library call (adding 2^52 with its sign leaves no
    // fraction bits). Below a million pixels that product lies within 2^-30 of the rounded
    // quotient, so when it is not near a half its nearest whole number is the quotient's as
    // well; near a half, or for wild lengths, the quotient itself decides.
    const double estimate = twips * (1.0 / kTwipsPerPixel);
    if (std::fabs(estimate) < 999999.0) {
        const double shift = std::copysign(4503599627370496.0, estimate); // 2^52
        const double whole = (estimate + shift) - shift;
        if (std::fabs(estimate - whole) < 0.49) return static_cast<int>(whole);
    }
    const double p = std::nearbyint(twips / kTwipsPerPixel);
    if (std::isnan(p)) return 0;
    return static_cast<int>(std::clamp(p, -1.0e6, 1.0e6));
}

inline double pixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

// A rectangle in twips as whole pixels: each of left, top, width and height rounded alone.
inline QRect twipsToPixels(const QRectF& twips) {
    return {twipsToPixels(twips.left()), twipsToPixels(twips.top()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}

inline QRectF pixelsToTwips(const QRect& pixels) {
    return {pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()), pixelsToTwips(pixels.width()),
            pixelsToTwips(pixels.height())};
}

} // namespace tk5
