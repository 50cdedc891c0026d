// SPDX-License-Identifier: MIT
// The application's table of user-visible texts.
#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace vellora::app::style {

// The text of a key ("document.issue_date") or of a phrase passed with itself as key
// ("Invalid UBL Document") in the application's table. A key without an entry shows itself.
// Write every key where it is chosen as QT_TRANSLATE_NOOP("Localizable", "key"): that is
// how lupdate, and the test that keeps the tables complete, find it.
QString localized(const char *key);

// Installs the table for `locale`'s language into the application (English when there is
// none for it) and returns the language installed, "en" or "de". Replaces an earlier table.
QString installTranslations(QCoreApplication &application,
                            const QLocale &locale = QLocale::system());

// Removes the installed table, so that every key shows itself.
void removeTranslations(QCoreApplication &application);

} // namespace vellora::app::style
