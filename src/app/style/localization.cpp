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

const QStringList &localizationKeys()
{
    static const QStringList keys{
        QStringLiteral("app.about"),
        QStringLiteral("app.name"),
        QStringLiteral("attachments.download"),
        QStringLiteral("attachments.no_attachments"),
        QStringLiteral("attachments.no_attachments_title"),
        QStringLiteral("attachments.no_attachments_description"),
        QStringLiteral("navigation.information"),
        QStringLiteral("document.document"),
        QStringLiteral("document.document_type"),
        QStringLiteral("document.id"),
        QStringLiteral("document.issue_date"),
        QStringLiteral("document.currency"),
        QStringLiteral("document.ubl_version"),
        QStringLiteral("party.supplier"),
        QStringLiteral("party.customer"),
        QStringLiteral("party.name"),
        QStringLiteral("party.registration_name"),
        QStringLiteral("party.company_id"),
        QStringLiteral("party.vat_id"),
        QStringLiteral("party.address"),
        QStringLiteral("party.contact"),
        QStringLiteral("party.phone"),
        QStringLiteral("party.email"),
        QStringLiteral("financial.line_extension_amount"),
        QStringLiteral("financial.tax_exclusive_amount"),
        QStringLiteral("financial.tax_inclusive_amount"),
        QStringLiteral("financial.allowance_total_amount"),
        QStringLiteral("financial.charge_total_amount"),
        QStringLiteral("financial.prepaid_amount"),
        QStringLiteral("financial.rounding_amount"),
        QStringLiteral("financial.payable_amount"),
        QStringLiteral("sepa.beneficiary"),
        QStringLiteral("sepa.iban"),
        QStringLiteral("sepa.bic"),
        QStringLiteral("sepa.amount"),
        QStringLiteral("sepa.payment_reference"),
        QStringLiteral("sepa.scan_instruction"),
        QStringLiteral("error.attachment_decode_failed"),
        QStringLiteral("error.title"),
        QStringLiteral("error.unsupported_format"),
        QStringLiteral("status.loading"),
        QStringLiteral("file.save_panel.title"),
        QStringLiteral("file.save_panel.message"),
        QStringLiteral("Invalid UBL Document"),
        QStringLiteral("•"),
        QStringLiteral("Preview Not Available"),
        QStringLiteral("Unable to Display Image"),
        QStringLiteral("❌ No XML content available"),
        QStringLiteral("Check if the file loaded correctly"),
        QStringLiteral("Loading text content..."),
        QStringLiteral("Loading more content..."),
        // The document window's menus and its split view's control.
        QStringLiteral("&File"),
        QStringLiteral("&New"),
        QStringLiteral("&Open…"),
        QStringLiteral("Open &Recent"),
        QStringLiteral("Clear Menu"),
        QStringLiteral("&Close"),
        QStringLiteral("&Save"),
        QStringLiteral("Save &As…"),
        QStringLiteral("&Quit"),
        QStringLiteral("&Edit"),
        QStringLiteral("&Copy"),
        QStringLiteral("Select &All"),
        QStringLiteral("&Help"),
        QStringLiteral("Toggle Sidebar"),
    };
    return keys;
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
