// SPDX-License-Identifier: MIT
// The application's table of user-visible texts.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace vellora::app::style {

// The text of a key ("document.issue_date") or of a phrase passed with itself as key
// ("Invalid UBL Document") in the application's table. A key without an entry shows itself.
QString localized(const char *key);

// The key of every text the application looks up, keys and phrases alike.
const QStringList &localizationKeys();

// Installs the table for `locale`'s language into the application (English when there is
// none for it) and returns the language installed, "en" or "de". Replaces an earlier table.
QString installTranslations(QCoreApplication &application,
                            const QLocale &locale = QLocale::system());

// Removes the installed table, so that every key shows itself.
void removeTranslations(QCoreApplication &application);

} // namespace vellora::app::style
