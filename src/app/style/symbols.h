// SPDX-License-Identifier: MIT
// Icons by symbol name ("doc.text", "paperclip", "qrcode", …): the windows carry no images of
// their own; every icon comes from the Breeze icon theme.
#pragma once

#include <QIcon>
#include <QPalette>
#include <QStringList>

namespace vellora::app::style {

// Every symbol name the views use.
const QStringList &symbolNames();

// The freedesktop icon name a symbol maps to, empty for an unknown symbol.
QString themeIconName(const QString &symbol);

// The icon of a symbol: from the theme, or a standard style icon when the theme lacks it;
// never a null icon, also for an unknown name.
QIcon symbolIcon(const QString &symbol);

// Selects the Breeze theme that suits `palette` (breeze-dark for a dark window colour) and
// makes sure it is found: offscreen and bare X sessions name no icon theme at all.
void setUpIconTheme(const QPalette &palette);

} // namespace vellora::app::style
