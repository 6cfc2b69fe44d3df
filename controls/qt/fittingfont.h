#pragma once
// Fitting a one-line text into a fixed box without eliding it: the box keeps
// its place and size, and a text too wide for it is drawn narrower (lower
// stretch) and, if still needed, smaller. Computed once per text by the owner.
#include <QFont>
#include <QString>

// Width in pixels that `text` covers in `font`: its advance or, for a
// slanted last glyph that overhangs, its ink, whichever reaches further.
int TextExtent(const QFont& font, const QString& text);

// `base` when the text fits in `widthPixels`; otherwise the first of
// narrower stretches, then smaller pixel sizes, in which it fits. A text that
// fits nowhere gets the smallest candidate.
QFont FontFittingWidth(const QFont& base, const QString& text, int widthPixels);
