// How well one colour reads against another, as the contrast ratio of their
// relative luminances (1:1 for equal colours up to 21:1 for black on white).
// Some of the program's backgrounds are fixed, the plots' and the About
// window's light yellow, while text and focus colours come from the desktop's
// theme; these helpers keep a theme colour where it reads well on such a
// background and put a dark or light one in its place where it does not.
#pragma once

#include <QColor>

namespace wavywall {

/// Ordinary text reads well from this ratio on.
inline constexpr double textContrast = 4.5;

/// A control's parts, such as a scroll bar's thumb on its track, can be told
/// apart from this ratio on.
inline constexpr double partContrast = 3;

/// The contrast ratio of two opaque colours, from 1 to 21, the same either
/// way round.
double contrastRatio(const QColor &a, const QColor &b);

/// The preferred colour where it reaches the minimum contrast against the
/// background; otherwise black or white, whichever reads better there.
QColor readableOn(const QColor &background, const QColor &preferred, double minimum);

/// The first colour on the straight way from one colour towards another that
/// reaches the minimum contrast against the background; the other colour
/// when none before it does.
QColor blendUntilContrast(const QColor &background, const QColor &from, const QColor &towards,
                          double minimum);

} // namespace wavywall
