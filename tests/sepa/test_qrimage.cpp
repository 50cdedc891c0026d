// SPDX-License-Identifier: MIT
// The QR image of a payload decodes back to the payload's exact UTF-8 bytes.
#include "sepa/views/qrimage.h"
#include "sepa/qrmatrix.h"
#include "sepa/sepapaymentinfo.h"
#include "sepatestdata.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <ZXing/ReadBarcode.h>

#include <string>

using vellora::sepa::views::makeQRImage;
using vellora::sepa::QRMatrix;
using vellora::sepa::views::qrModulePixels;
using vellora::sepa::SEPAPaymentInfo;
namespace testdata = vellora::sepa::testdata;

Q_DECLARE_METATYPE(std::string)

namespace {

// The image on a white border of four modules, the quiet zone a scanner needs.
QImage withQuietZone(const QImage &code)
{
    const int margin = 4 * qrModulePixels;
    QImage framed(code.width() + 2 * margin, code.height() + 2 * margin, QImage::Format_Grayscale8);
    framed.fill(Qt::white);
    QPainter painter(&framed);
    painter.drawImage(margin, margin, code);
    return framed;
}

ZXing::Result decode(const QImage &image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(gray.bytesPerLine()));
    return ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
}

} // namespace

class TestQRImage : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<std::string>("payload");

        QTest::newRow("plain invoice") << testdata::invoicePaymentInfo().payloadText();

        SEPAPaymentInfo umlauts = testdata::invoicePaymentInfo();
        umlauts.beneficiaryName = "M\xc3\xbcller & S\xc3\xb6hne Stra\xc3\x9f"
                                  "enbau GmbH";
        umlauts.remittanceText = "R\xc3\xa9"
                                 "f\xc3\xa9rence \xc3\x84nderung Invoice: INV-7";
        QTest::newRow("umlauts in the name") << umlauts.payloadText();

        SEPAPaymentInfo empty = testdata::invoicePaymentInfo();
        empty.bic.reset();
        empty.remittanceText.reset();
        QTest::newRow("empty optional lines") << empty.payloadText();

        SEPAPaymentInfo structured = testdata::invoicePaymentInfo();
        structured.remittanceText.reset();
        structured.remittanceReference = "RF18539007547034";
        QTest::newRow("creditor reference in line 10") << structured.payloadText();

        // The longest fields the derivation writes, in characters of several bytes each.
        SEPAPaymentInfo longest = testdata::invoicePaymentInfo();
        longest.beneficiaryName = testdata::repeated("\xc3\x9c", 70);   // Ü, 2 bytes
        longest.beneficiaryAccount = "MT84MALT011000012345MTLCAST001S"; // 31 characters
        longest.amount = "EUR999999999.99";
        longest.remittanceText = testdata::repeated("e\xcc\x81", 139) + "\xe2\x82\xac"; // é + €
        QTest::newRow("maximal lengths") << longest.payloadText();

        SEPAPaymentInfo emoji = testdata::invoicePaymentInfo();
        emoji.beneficiaryName = "Caf\xc3\xa9 \xf0\x9f\x87\xa9\xf0\x9f\x87\xaa \xe2\x98\x95";
        QTest::newRow("emoji and flags") << emoji.payloadText();

        QTest::newRow("all lines empty") << SEPAPaymentInfo().payloadText();
    }

    void roundTrip()
    {
        QFETCH(std::string, payload);
        const QString text =
            QString::fromUtf8(payload.data(), static_cast<qsizetype>(payload.size()));
        const std::optional<QImage> image = makeQRImage(text);
        QVERIFY(image.has_value());
        QVERIFY(!image->isNull());

        // Each module is a sharp 10 by 10 pixel square of the encoder's matrix, no border.
        const std::optional<QRMatrix> matrix = QRMatrix::encode(payload);
        QVERIFY(matrix.has_value());
        QCOMPARE(image->width(), matrix->size() * qrModulePixels);
        QCOMPARE(image->height(), matrix->size() * qrModulePixels);
        for (int y = 0; y < image->height(); ++y) {
            for (int x = 0; x < image->width(); ++x) {
                const QRgb expected = matrix->isDark(x / qrModulePixels, y / qrModulePixels)
                                          ? qRgb(0, 0, 0)
                                          : qRgb(255, 255, 255);
                if (image->pixel(x, y) != expected) {
                    QFAIL(qPrintable(
                        QStringLiteral("pixel %1,%2 is not its module's colour").arg(x).arg(y)));
                }
            }
        }
        // The finder pattern's corner: the symbol starts at the image's edge.
        QCOMPARE(image->pixel(0, 0), qRgb(0, 0, 0));

        const ZXing::Result result = decode(withQuietZone(*image));
        QVERIFY2(result.isValid(), "the code does not scan");
        QCOMPARE(result.format(), ZXing::BarcodeFormat::QRCode);
        QCOMPARE(QString::fromStdString(result.ecLevel()), QStringLiteral("M"));
        const ZXing::ByteArray &bytes = result.bytes();
        const std::string decoded(bytes.begin(), bytes.end());
        QCOMPARE(QByteArray::fromStdString(decoded), QByteArray::fromStdString(payload));
    }

    void noImageWithoutCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty text") << QString();
        // Version 40 at level M holds 2331 bytes of 8-bit data.
        QTest::newRow("2332 bytes") << QString(2332, QLatin1Char('x'));
        QTest::newRow("1166 two-byte characters") << QString(1166, QChar(0x00FC));
    }

    void noImageWithoutCode()
    {
        QFETCH(QString, text);
        QVERIFY(!makeQRImage(text).has_value());
    }

    void largestSymbol()
    {
        const std::optional<QImage> image = makeQRImage(QString(2331, QLatin1Char('x')));
        QVERIFY(image.has_value());
        QCOMPARE(image->width(), 177 * qrModulePixels);
        const std::optional<QImage> umlauts = makeQRImage(QString(1165, QChar(0x00FC)));
        QVERIFY(umlauts.has_value());
        QCOMPARE(umlauts->width(), 177 * qrModulePixels);
    }

    void bytesNotCharacters()
    {
        // A name with umlauts needs more bytes than characters: the symbol must hold the
        // UTF-8 bytes, so 1100 umlauts (2200 bytes) need a larger symbol than 1100 letters.
        const std::optional<QImage> letters = makeQRImage(QString(1100, QLatin1Char('u')));
        const std::optional<QImage> umlauts = makeQRImage(QString(1100, QChar(0x00FC)));
        QVERIFY(letters.has_value() && umlauts.has_value());
        QVERIFY(umlauts->width() > letters->width());
    }
};

QTEST_GUILESS_MAIN(TestQRImage)
#include "test_qrimage.moc"
