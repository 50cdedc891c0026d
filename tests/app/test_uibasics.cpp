// SPDX-License-Identifier: MIT
// Texts, icons and styles every view builds on.
#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "app/style/theme.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

using namespace vellora::app::style;

namespace {

// The source texts of a Qt Linguist file, in file order.
QStringList sourcesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString ts = QString::fromUtf8(file.readAll());
    QStringList sources;
    const QRegularExpression source(QStringLiteral("<source>(.*?)</source>"),
                                    QRegularExpression::DotMatchesEverythingOption);
    for (auto it = source.globalMatch(ts); it.hasNext();) {
        sources << it.next()
                       .captured(1)
                       .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                       .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                       .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
                       .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
                       .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    }
    return sources;
}

QStringList textTableSources(const QString &name)
{
    return sourcesOf(QStringLiteral(VELLORA_SOURCE_DIR "/i18n/") + name);
}

} // namespace

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
        const QStringList keys = textTableSources(QStringLiteral("vellora_en.ts"));
        QVERIFY(keys.size() > 60);
        for (const QString &key : keys) {
            const QByteArray utf8 = key.toUtf8();
            const QString text = localized(utf8.constData());
            QVERIFY2(!text.isEmpty(), utf8.constData());
            // A key of the form area.item must not show itself; a phrase may equal its key.
            const bool isKey =
                QRegularExpression(QStringLiteral("^[a-z_]+(\\.[a-z_0-9]+)+$")).match(key).hasMatch();
            if (isKey) {
                QVERIFY2(text != key, utf8.constData());
            }
        }
    }

    void bothTablesHoldTheSameKeys()
    {
        QStringList english = textTableSources(QStringLiteral("vellora_en.ts"));
        QStringList german = textTableSources(QStringLiteral("vellora_de.ts"));
        english.sort();
        german.sort();
        QCOMPARE(german, english);
        QCOMPARE(QSet<QString>(english.begin(), english.end()).size(), english.size());
    }

    void sourcesMarkExactlyTheKeysOfTheTables()
    {
        // lupdate sees a key only where it is written as QT_TRANSLATE_NOOP("Localizable", …)
        // (or translate()); a key the tables hold but no source marks would be deleted by the
        // next update of the tables, and a marked key without an entry shows itself.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString extracted = dir.filePath(QStringLiteral("extracted.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(VELLORA_LUPDATE),
                      {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                       QStringLiteral("-extensions"), QStringLiteral("cpp,h"),
                       QStringLiteral(VELLORA_SOURCE_DIR "/src"), QStringLiteral("-ts"),
                       extracted});
        QVERIFY(lupdate.waitForFinished(120000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

        QStringList marked = sourcesOf(extracted);
        QStringList tabled = textTableSources(QStringLiteral("vellora_en.ts"));
        marked.sort();
        marked.removeDuplicates();
        tabled.sort();
        QStringList unmarked;
        for (const QString &key : std::as_const(tabled)) {
            if (!marked.contains(key)) {
                unmarked << key;
            }
        }
        QStringList untabled;
        for (const QString &key : std::as_const(marked)) {
            if (!tabled.contains(key)) {
                untabled << key;
            }
        }
        QVERIFY2(unmarked.isEmpty(),
                 qPrintable(QStringLiteral("in the tables, marked nowhere: ") +
                            unmarked.join(QStringLiteral(" | "))));
        QVERIFY2(untabled.isEmpty(),
                 qPrintable(QStringLiteral("marked, not in the tables: ") +
                            untabled.join(QStringLiteral(" | "))));
    }

    void everySymbolHasAnIcon_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<QString>("theme");
        QTest::newRow("light palette: breeze")
            << QApplication::style()->standardPalette() << QStringLiteral("breeze");
        QTest::newRow("dark palette: breeze-dark") << theme::darkPalette()
                                                   << QStringLiteral("breeze-dark");
    }

    void everySymbolHasAnIcon()
    {
        QFETCH(QPalette, palette);
        QFETCH(QString, theme);
        setUpIconTheme(palette);
        QCOMPARE(QIcon::themeName(), theme);
        for (const QString &symbol : symbolNames()) {
            QVERIFY2(!themeIconName(symbol).isEmpty(), qPrintable(symbol));
            // The theme itself has each icon, not only the style's fallback.
            QVERIFY2(QIcon::hasThemeIcon(themeIconName(symbol)), qPrintable(symbol));
            const QIcon icon = symbolIcon(symbol);
            QVERIFY2(!icon.isNull(), qPrintable(symbol));
            QVERIFY2(!icon.pixmap(32, 32).isNull(), qPrintable(symbol));
        }
        QVERIFY(!symbolIcon(QStringLiteral("no.such.symbol")).isNull());
        setUpIconTheme(QApplication::palette());
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
