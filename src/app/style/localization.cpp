// SPDX-License-Identifier: MIT
#include "app/style/localization.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>

namespace vellora::app::style {

namespace {

constexpr const char *context = "Localizable";

std::unique_ptr<QTranslator> &installedTranslator()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

QString localized(const char *key)
{
    return QCoreApplication::translate(context, key);
}

QString installTranslations(QCoreApplication &application, const QLocale &locale)
{
    removeTranslations(application);
    auto translator = std::make_unique<QTranslator>();
    // The tables are compiled into the program under :/i18n.
    QString language = QStringLiteral("en");
    if (translator->load(locale, QStringLiteral("vellora"), QStringLiteral("_"),
                         QStringLiteral(":/i18n"))) {
        language = translator->language().section(QLatin1Char('_'), 0, 0);
    } else if (!translator->load(QStringLiteral(":/i18n/vellora_en"))) {
        return QString();
    }
    application.installTranslator(translator.get());
    installedTranslator() = std::move(translator);
    return language;
}

void removeTranslations(QCoreApplication &application)
{
    if (auto &translator = installedTranslator()) {
        application.removeTranslator(translator.get());
        translator.reset();
    }
}

} // namespace vellora::app::style
