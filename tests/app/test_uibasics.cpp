// SPDX-License-Identifier: MIT
// Texts, icons and styles every view builds on.
#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "app/style/theme.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>

using namespace vellora::app::style;

class TestUiBasics : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { removeTranslations(*QCoreApplication::instance()); }

    void missingEntryShowsTheKey()
    {
        removeTranslations(*QCoreApplication::instance());
        QCOMPARE(localized("app.about"), QStringLiteral("app.about"));
        installTranslations(*QCoreApplication::instance(), QLocale(QLocale::English));
        QCOMPARE(localized("no.such.key"), QStringLiteral("no.such.key"));
    }

    void tableChosenByLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("about");
        QTest::addColumn<QString>("invalid");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "en"
                               << "About Vellora"
                               << "Invalid UBL Document";
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "de"
                               << "Über Vellora"
                               << "Kein gültiges UBL-Dokument";
        QTest::newRow("de_AT") << QLocale(QLocale::German, QLocale::Austria) << "de"
                               << "Über Vellora"
                               << "Kein gültiges UBL-Dokument";
        QTest::newRow("fr_FR falls back to English")
            << QLocale(QLocale::French, QLocale::France) << "en"
            << "About Vellora"
            << "Invalid UBL Document";
    }

    void tableChosenByLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, language);
        QFETCH(QString, about);
        QFETCH(QString, invalid);
        QCOMPARE(installTranslations(*QCoreApplication::instance(), locale), language);
        QCOMPARE(localized("app.about"), about);
        QCOMPARE(localized("Invalid UBL Document"), invalid);
    }

    void everyKeyHasAnEntryInBothTables_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English);
        QTest::newRow("German") << QLocale(QLocale::German);
    }

    void everyKeyHasAnEntryInBothTables()
    {
        QFETCH(QLocale, locale);
        installTranslations(*QCoreApplication::instance(), locale);
        for (const QString &key : localizationKeys()) {
            const QByteArray utf8 = key.toUtf8();
            const QString text = localized(utf8.constData());
            QVERIFY2(!text.isEmpty(), utf8.constData());
            // A key of the form area.item must not show itself; a phrase may equal its key.
            const bool isKey =
                QRegularExpression(QStringLiteral("^[a-z_]+(\\.[a-z_]+)+$")).match(key).hasMatch();
            if (isKey) {
                QVERIFY2(text != key, utf8.constData());
            }
        }
    }

    void keysListMatchesTheTables()
    {
        // The two tables hold exactly the keys the application looks up, no more, no less.
        for (const QString &name :
             {QStringLiteral("vellora_en.ts"), QStringLiteral("vellora_de.ts")}) {
            QFile file(QStringLiteral(VELLORA_SOURCE_DIR "/i18n/") + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString ts = QString::fromUtf8(file.readAll());
            QStringList sources;
            const QRegularExpression source(QStringLiteral("<source>(.*?)</source>"));
            for (auto it = source.globalMatch(ts); it.hasNext();) {
                sources << it.next().captured(1).replace(QStringLiteral("&amp;"),
                                                         QStringLiteral("&"));
            }
            QCOMPARE(sources, localizationKeys());
        }
    }

    void everySymbolHasAnIcon()
    {
        setUpIconTheme(QApplication::palette());
        QCOMPARE(QIcon::themeName(), QStringLiteral("breeze"));
        for (const QString &symbol : symbolNames()) {
            QVERIFY2(!themeIconName(symbol).isEmpty(), qPrintable(symbol));
            // The Breeze theme itself has each icon, not only the style's fallback.
            QVERIFY2(QIcon::hasThemeIcon(themeIconName(symbol)), qPrintable(symbol));
            const QIcon icon = symbolIcon(symbol);
            QVERIFY2(!icon.isNull(), qPrintable(symbol));
            QVERIFY2(!icon.pixmap(32, 32).isNull(), qPrintable(symbol));
        }
        QVERIFY(!symbolIcon(QStringLiteral("no.such.symbol")).isNull());
    }

    void darkPaletteSelectsDarkIcons()
    {
        setUpIconTheme(theme::darkPalette());
        QCOMPARE(QIcon::themeName(), QStringLiteral("breeze-dark"));
        for (const QString &symbol : symbolNames()) {
            QVERIFY2(QIcon::hasThemeIcon(themeIconName(symbol)), qPrintable(symbol));
        }
        setUpIconTheme(QApplication::palette());
    }

    void fontsDeriveFromTheBody()
    {
        const qreal body = theme::body().pointSizeF();
        QCOMPARE(theme::caption().pointSizeF(), body - 2);
        QCOMPARE(theme::caption2().pointSizeF(), body - 3);
        QCOMPARE(theme::subheadline().pointSizeF(), body - 1);
        QCOMPARE(theme::title2().pointSizeF(), body + 6);
        QVERIFY(theme::headline().bold());
        QCOMPARE(theme::systemFont(11).pointSizeF(), 11.0);
        QCOMPARE(theme::systemFont(11).family(), theme::body().family());
        QVERIFY(theme::monospaced().fixedPitch() || QFontInfo(theme::monospaced()).fixedPitch());
    }

    void namedColoursAreReadableInBothPalettes()
    {
        const QPalette light = QApplication::style()->standardPalette();
        const QPalette dark = theme::darkPalette();
        QVERIFY(!theme::isDark(light));
        QVERIFY(theme::isDark(dark));
        for (auto colour : {theme::Named::blue, theme::Named::purple, theme::Named::brown,
                            theme::Named::red, theme::Named::green, theme::Named::orange}) {
            // Text in a named colour keeps a clear lightness distance from the background.
            const int onLight =
                theme::textBackground(light).lightness() - theme::named(colour, light).lightness();
            const int onDark =
                theme::named(colour, dark).lightness() - theme::textBackground(dark).lightness();
            QVERIFY2(onLight > 60, qPrintable(QString::number(int(colour))));
            QVERIFY2(onDark > 60, qPrintable(QString::number(int(colour))));
        }
    }
};

QTEST_MAIN(TestUiBasics)
#include "test_uibasics.moc"
