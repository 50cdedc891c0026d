// SPDX-License-Identifier: MIT
// The SEPA tab on screen: the code it shows scans to the exact payload.
#include "app/style/localization.h"
#include "app/style/theme.h"
#include "inspector/views/inspectorblocks.h"
#include "inspector/views/inspectorpanel.h"
#include "parser/ublparser.h"
#include "sepa/views/inspectorsepaview.h"
#include "sepatestdata.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <ZXing/ReadBarcode.h>

using vellora::inspector::InspectorTab;
using vellora::inspector::views::InfoRow;
using vellora::inspector::views::InspectorPanel;
using vellora::model::UBLDocumentInfo;
using vellora::sepa::SEPAPaymentInfo;
using vellora::sepa::SEPAQRCodeService;
using vellora::sepa::views::InspectorSEPAView;
using vellora::sepa::views::QRCodeView;

namespace {

std::optional<UBLDocumentInfo> readCorpusInvoice(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const auto result = vellora::parser::UBLParser().parse(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!result.documentInfo()) {
        return std::nullopt;
    }
    return *result.documentInfo();
}

// The bytes a decoder reads from the picture: ZXing's raw bytes of the QR symbol.
QByteArray decodeWithZXing(const QImage &image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(gray.bytesPerLine()));
    const ZXing::Result result =
        ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
    if (!result.isValid()) {
        return {};
    }
    const ZXing::ByteArray &bytes = result.bytes();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

QStringList rowTexts(const QWidget &view)
{
    QStringList rows;
    for (const InfoRow *row : view.findChildren<InfoRow *>()) {
        rows << row->labelView()->text() + QLatin1Char('=') + row->valueView()->text();
    }
    return rows;
}

} // namespace

class TestInspectorSEPAView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        vellora::app::style::installTranslations(*QCoreApplication::instance(),
                                                 QLocale(QLocale::English));
    }

    // The panel's SEPA tab for a real invoice, grabbed from the screen and scanned.
    void codeOnScreenScansToThePayload_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("dark");
        const QString corpus = QStringLiteral(VELLORA_SHARED_DIR "/corpus/ubl/phive-ublbe/");
        QTest::newRow("Belgian invoice, light")
            << corpus + QStringLiteral("UBLBE_BE0000000196_V01-15000019.xml") << false;
        QTest::newRow("Belgian invoice, dark")
            << corpus + QStringLiteral("UBLBE_BE0000000196_V01-15000019.xml") << true;
        QTest::newRow("sample invoice with umlauts")
            << QStringLiteral(VELLORA_SOURCE_DIR "/examples/sample-invoice.xml") << false;
    }

    void codeOnScreenScansToThePayload()
    {
        QFETCH(QString, file);
        QFETCH(bool, dark);
        const std::optional<UBLDocumentInfo> info = readCorpusInvoice(file);
        if (!info) {
            QSKIP("the invoice is not there to read");
        }
        const std::optional<SEPAPaymentInfo> payment = SEPAQRCodeService().makePaymentInfo(*info);
        QVERIFY(payment);
        const QByteArray payload = QByteArray::fromStdString(payment->payloadText());

        InspectorPanel panel(*info);
        if (dark) {
            panel.setPalette(vellora::app::style::theme::darkPalette());
        }
        panel.resize(300, 700);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.setSelectedTab(InspectorTab::sepa);
        auto *code = panel.content()->findChild<QRCodeView *>();
        QVERIFY(code);
        QCOMPARE(code->size(), QSize(196, 196));

        const QImage picture = panel.grab().toImage();
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("sepa-tab.png"));
        QVERIFY(picture.save(png));
        // ZXing reads the saved picture, as a phone reads the screen.
        QCOMPARE(decodeWithZXing(QImage(png)), payload);

        // zbar too, where it is installed.
        const QString zbar = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
        if (!zbar.isEmpty()) {
            QProcess process;
            process.start(zbar, {QStringLiteral("-q"), QStringLiteral("--raw"),
                                 QStringLiteral("-Sbinary"), QStringLiteral("--nodbus"), png});
            QVERIFY(process.waitForFinished(10000));
            // In binary mode zbar prints the symbol's bytes and nothing else.
            QCOMPARE(process.readAllStandardOutput(), payload);
        }
    }

    // Whole pixels per module: every pixel of the code is pure black or pure white.
    void modulesAreSharp()
    {
        const SEPAPaymentInfo info = vellora::sepa::testdata::invoicePaymentInfo();
        QRCodeView code(QString::fromStdString(info.payloadText()));
        const QImage picture = code.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int grey = 0;
        for (int y = QRCodeView::padding; y < picture.height() - QRCodeView::padding; ++y) {
            for (int x = QRCodeView::padding; x < picture.width() - QRCodeView::padding; ++x) {
                const QRgb pixel = picture.pixel(x, y);
                if (pixel != qRgb(0, 0, 0) && pixel != qRgb(255, 255, 255)) {
                    ++grey;
                }
            }
        }
        QCOMPARE(grey, 0);
        QCOMPARE(decodeWithZXing(picture), QByteArray::fromStdString(info.payloadText()));
    }

    void rowsFollowThePaymentInfo_data()
    {
        QTest::addColumn<bool>("withBIC");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("five rows")
            << true << "EUR1234.50"
            << QStringList{"BENEFICIARY=Muster GmbH", "IBAN=DE89370400440532013000",
                           "BIC=COBADEFFXXX", "AMOUNT=1234.50 EUR", "PAYMENT REFERENCE=INV-7"};
        QTest::newRow("without BIC four rows")
            << false << "EUR99.50"
            << QStringList{"BENEFICIARY=Muster GmbH", "IBAN=DE89370400440532013000",
                           "AMOUNT=99.50 EUR", "PAYMENT REFERENCE=INV-7"};
    }

    void rowsFollowThePaymentInfo()
    {
        QFETCH(bool, withBIC);
        QFETCH(QString, amount);
        QFETCH(QStringList, rows);
        SEPAPaymentInfo info = vellora::sepa::testdata::invoicePaymentInfo();
        if (!withBIC) {
            info.bic.reset();
        }
        info.amount = amount.toStdString();
        InspectorSEPAView view(info, std::string("INV-7"));
        QCOMPARE(rowTexts(view), rows);
        QVERIFY(view.codeView());
        auto *instruction = view.findChild<QLabel *>(QStringLiteral("scanInstruction"));
        QVERIFY(instruction);
        QCOMPARE(instruction->text(), vellora::app::style::localized("sepa.scan_instruction"));
    }

    // A payload too long for any QR code: no code and no instruction, the rows all the same.
    void withoutACodeTheRowsRemain()
    {
        SEPAPaymentInfo info = vellora::sepa::testdata::invoicePaymentInfo();
        info.beneficiaryName = vellora::sepa::testdata::repeated("x", 3000);
        InspectorSEPAView view(info, std::nullopt);
        QVERIFY(!view.codeView());
        QVERIFY(!view.findChild<QLabel *>(QStringLiteral("scanInstruction")));
        QCOMPARE(rowTexts(view).size(), 4);
    }
};

QTEST_MAIN(TestInspectorSEPAView)
#include "test_inspectorsepaview.moc"
