// SPDX-License-Identifier: MIT
#include "app/style/symbols.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

namespace vellora::app::style {

namespace {

struct Symbol
{
    const char *name;
    const char *themeIcon;
    QStyle::StandardPixmap fallback;
};

constexpr Symbol symbols[] = {
    {"doc.text", "text-x-generic", QStyle::SP_FileIcon},
    {"doc", "application-octet-stream", QStyle::SP_FileIcon},
    {"photo", "image-x-generic", QStyle::SP_FileIcon},
    {"paperclip", "mail-attachment", QStyle::SP_FileLinkIcon},
    {"qrcode", "view-barcode-qr", QStyle::SP_FileDialogContentsView},
    {"info.circle", "help-about", QStyle::SP_MessageBoxInformation},
    {"exclamationmark.triangle", "data-warning", QStyle::SP_MessageBoxWarning},
    {"arrow.down.circle", "download", QStyle::SP_ArrowDown},
    {"list.bullet", "format-list-unordered", QStyle::SP_FileDialogListView},
    {"list.bullet.rectangle", "view-list-details", QStyle::SP_FileDialogDetailedView},
    {"chevron.right", "arrow-right", QStyle::SP_ArrowRight},
    {"chevron.down", "arrow-down", QStyle::SP_ArrowDown},
    {"person.crop.circle", "user-identity", QStyle::SP_DirHomeIcon},
    {"building.2", "view-bank", QStyle::SP_ComputerIcon},
    {"dollarsign.circle", "view-financial-category-income", QStyle::SP_DialogApplyButton},
    {"sidebar.left", "sidebar-show-symbolic", QStyle::SP_TitleBarShadeButton},
    {"plus.magnifyingglass", "zoom-in", QStyle::SP_ArrowUp},
    {"minus.magnifyingglass", "zoom-out", QStyle::SP_ArrowDown},
    {"arrow.left.and.right", "zoom-fit-width", QStyle::SP_TitleBarMaxButton},
    {"arrow.up.forward.app", "document-open", QStyle::SP_DialogOpenButton},
};

const Symbol *find(const QString &name)
{
    for (const Symbol &symbol : symbols) {
        if (name == QLatin1String(symbol.name)) {
            return &symbol;
        }
    }
    return nullptr;
}

} // namespace

const QStringList &symbolNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const Symbol &symbol : symbols) {
            list << QString::fromLatin1(symbol.name);
        }
        return list;
    }();
    return names;
}

QString themeIconName(const QString &symbol)
{
    const Symbol *found = find(symbol);
    return found ? QString::fromLatin1(found->themeIcon) : QString();
}

QIcon symbolIcon(const QString &name)
{
    const Symbol *symbol = find(name);
    const QStyle::StandardPixmap fallback = symbol ? symbol->fallback : QStyle::SP_FileIcon;
    if (symbol) {
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(symbol->themeIcon));
        if (!icon.isNull()) {
            return icon;
        }
    }
    return QApplication::style()->standardIcon(fallback);
}

void setUpIconTheme(const QPalette &palette)
{
    QStringList paths = QIcon::themeSearchPaths();
    const QString system = QStringLiteral("/usr/share/icons");
    if (!paths.contains(system)) {
        paths << system;
        QIcon::setThemeSearchPaths(paths);
    }
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    QIcon::setThemeName(dark ? QStringLiteral("breeze-dark") : QStringLiteral("breeze"));
    QIcon::setFallbackThemeName(QStringLiteral("hicolor"));
}

} // namespace vellora::app::style
