// SPDX-License-Identifier: MIT
// The semantic fonts and colours the views are drawn with, defined in one place.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

namespace vellora::app::style::theme {

// Fonts, all derived from the application font (body), sizes in points.
QFont body();
QFont caption();                                                         // body − 2 pt
QFont caption2();                                                        // body − 3 pt
QFont subheadline();                                                     // body − 1 pt
QFont headline();                                                        // body, bold
QFont title2();                                                          // body + 6 pt
QFont systemFont(qreal pointSize, QFont::Weight weight = QFont::Normal); // application family
QFont monospaced(); // the fixed-width system font at body size

// Colours by role, from the palette given (the application's by default).
QColor secondaryText(const QPalette &palette = {});     // dimmed text
QColor controlBackground(const QPalette &palette = {}); // window background
QColor control(const QPalette &palette = {});           // button face
QColor separator(const QPalette &palette = {});
QColor textBackground(const QPalette &palette = {});

// Named colours, each readable on both a light and a dark background.
enum class Named
{
    blue,
    purple,
    brown,
    red,
    green,
    orange,
};
QColor named(Named colour, const QPalette &palette = {});

// True when the palette's window colour is dark.
bool isDark(const QPalette &palette = {});

// A complete dark palette (for a dark desktop and for tests).
QPalette darkPalette();

} // namespace vellora::app::style::theme
