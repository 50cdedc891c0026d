// SPDX-License-Identifier: MIT
#include "app/style/theme.h"

#include <QApplication>
#include <QFontDatabase>

namespace vellora::app::style::theme {

namespace {

QFont sized(qreal delta)
{
    QFont font = body();
    font.setPointSizeF(font.pointSizeF() + delta);
    return font;
}

QPalette resolved(const QPalette &palette)
{
    // A default-constructed palette means "the application's".
    return palette.resolveMask() == 0 ? QApplication::palette() : palette;
}

} // namespace

QFont body()
{
    return QApplication::font();
}

QFont caption()
{
    return sized(-2);
}

QFont caption2()
{
    return sized(-3);
}

QFont subheadline()
{
    return sized(-1);
}

QFont headline()
{
    QFont font = body();
    font.setBold(true);
    return font;
}

QFont title2()
{
    return sized(6);
}

QFont systemFont(qreal pointSize, QFont::Weight weight)
{
    QFont font = body();
    font.setPointSizeF(pointSize);
    font.setWeight(weight);
    return font;
}

QFont monospaced()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(body().pointSizeF());
    return font;
}

QColor secondaryText(const QPalette &palette)
{
    return resolved(palette).color(QPalette::PlaceholderText);
}

QColor controlBackground(const QPalette &palette)
{
    return resolved(palette).color(QPalette::Window);
}

QColor control(const QPalette &palette)
{
    return resolved(palette).color(QPalette::Button);
}

QColor separator(const QPalette &palette)
{
    return resolved(palette).color(QPalette::Mid);
}

QColor textBackground(const QPalette &palette)
{
    return resolved(palette).color(QPalette::Base);
}

bool isDark(const QPalette &palette)
{
    return resolved(palette).color(QPalette::Window).lightness() < 128;
}

QColor named(Named colour, const QPalette &palette)
{
    const bool dark = isDark(palette);
    switch (colour) {
    case Named::blue:
        return dark ? QColor(0x40, 0x9c, 0xff) : QColor(0x00, 0x5f, 0xcc);
    case Named::purple:
        return dark ? QColor(0xc7, 0x8b, 0xf5) : QColor(0x84, 0x2d, 0xb8);
    case Named::brown:
        return dark ? QColor(0xd0, 0xa5, 0x7a) : QColor(0x8a, 0x5a, 0x2b);
    case Named::red:
        return dark ? QColor(0xff, 0x6b, 0x61) : QColor(0xc6, 0x28, 0x28);
    case Named::green:
        return dark ? QColor(0x5f, 0xd0, 0x6f) : QColor(0x2e, 0x7d, 0x32);
    case Named::orange:
        return dark ? QColor(0xff, 0xad, 0x4d) : QColor(0xd0, 0x6a, 0x00);
    }
    return resolved(palette).color(QPalette::Text);
}

QPalette darkPalette()
{
    QPalette palette;
    const QColor window(0x2a, 0x2e, 0x32);
    const QColor base(0x1b, 0x1e, 0x20);
    const QColor text(0xfc, 0xfc, 0xfc);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x31, 0x36, 0x3b));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0xa1, 0xa9, 0xb1));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    palette.setColor(QPalette::HighlightedText, text);
    palette.setColor(QPalette::Link, QColor(0x1d, 0x99, 0xf3));
    palette.setColor(QPalette::Mid, QColor(0x4d, 0x53, 0x59));
    palette.setColor(QPalette::Dark, QColor(0x18, 0x1a, 0x1c));
    palette.setColor(QPalette::Light, QColor(0x40, 0x46, 0x4c));
    palette.setColor(QPalette::Midlight, QColor(0x37, 0x3c, 0x42));
    palette.setColor(QPalette::Shadow, QColor(0x0f, 0x10, 0x11));
    palette.setColor(QPalette::BrightText, QColor(0xff, 0x55, 0x55));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x70, 0x77, 0x7e));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x77, 0x7e));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x77, 0x7e));
    return palette;
}

} // namespace vellora::app::style::theme
