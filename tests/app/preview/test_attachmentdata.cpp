// SPDX-License-Identifier: MIT
// Decoding an attachment's Base64 text, the name proposed for it, and the preview it leads to.
#include "app/preview/attachmentdata.h"
#include "app/preview/previewstate.h"
#include "model/ublattachment.h"

#include <QTest>

#include <optional>
#include <string>

using namespace vellora::app::preview;
using vellora::model::UBLAttachment;

Q_DECLARE_METATYPE(std::optional<QByteArray>)
Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(vellora::app::preview::PreviewKind)
Q_DECLARE_METATYPE(std::optional<std::string>)
Q_DECLARE_METATYPE(vellora::app::preview::PreviewState)

namespace {

// Every byte value, so that a decoder that mangles any of them is caught.
QByteArray allBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.append(static_cast<char>(i));
    }
    return bytes;
}

// Base64 as mail and XML writers wrap it: lines of 76 characters, each indented and ended
// with `lineEnd`.
QByteArray wrapped(const QByteArray &bytes, const QByteArray &indent, const QByteArray &lineEnd)
{
    const QByteArray base64 = bytes.toBase64();
    QByteArray text;
    for (qsizetype i = 0; i < base64.size(); i += 76) {
        text += indent + base64.mid(i, 76) + lineEnd;
    }
    return text;
}

const QByteArray pdfBytes = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<<>>\nendobj\n%%EOF\n";
const QByteArray pngBytes = QByteArray::fromHex(
    "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
    "1f15c4890000000d49444154789c6360000002000154a24f5d0000000049454e44ae426082");

UBLAttachment attachmentOf(std::optional<std::string> mimeType,
                           std::optional<std::string> embeddedData)
{
    UBLAttachment attachment;
    attachment.documentID = "A1";
    attachment.filename = "file";
    attachment.mimeType = std::move(mimeType);
    attachment.embeddedData = std::move(embeddedData);
    return attachment;
}

} // namespace

class TestAttachmentData : public QObject
{
    Q_OBJECT

private slots:
    void decodeEmbeddedData_data()
    {
        QTest::addColumn<QByteArray>("text"); // UTF-8
        QTest::addColumn<std::optional<QByteArray>>("expected");

        const QByteArray all = allBytes();
        const QByteArray hello = "Hello, invoice!";
        QTest::newRow("plain") << hello.toBase64() << std::optional(hello);
        QTest::newRow("76-column lines, indented, LF")
            << wrapped(all, "        ", "\n") << std::optional(all);
        QTest::newRow("76-column lines, CR LF") << wrapped(all, "", "\r\n") << std::optional(all);
        QTest::newRow("tabs and form feeds") << wrapped(all, "\t", "\f") << std::optional(all);
        QTest::newRow("no-break space and line separator") << QByteArray("SGVs\xC2\xA0"
                                                                         "bG8=\xE2\x80\xA8")
                                                           << std::optional(QByteArray("Hello"));
        QTest::newRow("paragraph separator and ideographic space")
            << QByteArray("SGVs\xE2\x80\xA9\xE3\x80\x80"
                          "bG8=")
            << std::optional(QByteArray("Hello"));
        QTest::newRow("empty") << QByteArray() << std::optional(QByteArray());
        QTest::newRow("white space only") << QByteArray(" \r\n\t") << std::optional(QByteArray());

        const std::optional<QByteArray> none;
        QTest::newRow("invalid character !") << QByteArray("SGVs!bG8=") << none;
        QTest::newRow("URL-safe alphabet") << QByteArray("-_-_") << none;
        QTest::newRow("padding inside") << QByteArray("SGVs=bG8=") << none;
        QTest::newRow("data after padding") << QByteArray("SGVsbG8=SGVs") << none;
        QTest::newRow("vertical tab is not white space here") << QByteArray("SGVs\vbG8=") << none;
        QTest::newRow("next line is not white space here") << QByteArray("SGVs\xC2\x85"
                                                                         "bG8=")
                                                           << none;
        QTest::newRow("letter outside the alphabet") << QByteArray("SGVs\xC3\xA9"
                                                                   "bG8=")
                                                     << none;
        QTest::newRow("one bad character at the end of long text")
            << wrapped(all, "  ", "\n") + "*" << none;
        QTest::newRow("a lone character") << QByteArray("Q") << none;
        QTest::newRow("one character after the last group, so a byte is lost")
            << QByteArray("SGVsbG8g\nQ") << none;
        QTest::newRow("missing padding is accepted")
            << QByteArray("SGVsbG8") << std::optional(QByteArray("Hello"));
    }

    void decodeEmbeddedData()
    {
        QFETCH(QByteArray, text);
        QFETCH(std::optional<QByteArray>, expected);
        QCOMPARE(vellora::app::preview::decodeEmbeddedData(text.toStdString()), expected);
    }

    void cleanedFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "invoice.pdf"
                               << "invoice.pdf";
        QTest::newRow("spaces and umlauts kept") << "Rechnung März 2024.pdf"
                                                 << "Rechnung März 2024.pdf";
        QTest::newRow("relative climb") << "../../.bashrc"
                                        << ".bashrc";
        QTest::newRow("absolute path") << "/etc/passwd"
                                       << "passwd";
        QTest::newRow("windows path") << "C:\\x\\y.pdf"
                                      << "y.pdf";
        QTest::newRow("mixed separators") << "a/b\\c/d.png"
                                          << "d.png";
        QTest::newRow("ends in a separator") << "folder/"
                                             << "attachment";
        QTest::newRow("empty") << ""
                               << "attachment";
        QTest::newRow("dot") << "."
                             << "attachment";
        QTest::newRow("dot dot") << ".."
                                 << "attachment";
        QTest::newRow("dot dot after a folder") << "x/.."
                                                << "attachment";
        QTest::newRow("three dots are a name") << "..."
                                               << "...";
        QTest::newRow("control characters removed")
            << QStringLiteral("in\nvo\tice\x7f.pdf") << "invoice.pdf";
        QTest::newRow("NUL removed") << QString::fromUtf16(u"a\0b.pdf", 7) << "ab.pdf";
        QTest::newRow("C1 control removed") << QStringLiteral("a\u0085b.pdf") << "ab.pdf";
        QTest::newRow("right-to-left override removed")
            << QStringLiteral("invoice\u202Efdp.exe") << "invoicefdp.exe";
        QTest::newRow("isolates removed") << QStringLiteral("a\u2066b\u2069.pdf") << "ab.pdf";
        QTest::newRow("only controls") << QStringLiteral("\u0001\u0002") << "attachment";
        QTest::newRow("controls hiding a climb") << QStringLiteral(".\u0001.") << "attachment";
    }

    void cleanedFileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(vellora::app::preview::cleanedFileName(name), expected);
    }

    void fileExtension_data()
    {
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<std::optional<QString>>("expected");
        const auto ext = [](const char *e) { return std::optional(QString::fromLatin1(e)); };
        QTest::newRow("application/pdf") << "application/pdf" << ext("pdf");
        QTest::newRow("image/jpeg") << "image/jpeg" << ext("jpg");
        QTest::newRow("image/jpg") << "image/jpg" << ext("jpg");
        QTest::newRow("image/png") << "image/png" << ext("png");
        QTest::newRow("image/gif") << "image/gif" << ext("gif");
        QTest::newRow("text/xml") << "text/xml" << ext("xml");
        QTest::newRow("application/xml") << "application/xml" << ext("xml");
        QTest::newRow("text/plain") << "text/plain" << ext("txt");
        QTest::newRow("text/csv") << "text/csv" << ext("csv");
        QTest::newRow("application/json") << "application/json" << ext("json");
        QTest::newRow("text/html") << "text/html" << ext("html");
        QTest::newRow("application/zip") << "application/zip" << ext("zip");
        QTest::newRow("application/octet-stream") << "application/octet-stream" << ext("bin");
        QTest::newRow("capitals") << "APPLICATION/PDF" << ext("pdf");
        QTest::newRow("mixed case") << "Image/PNG" << ext("png");
        QTest::newRow("unknown") << "image/webp" << std::optional<QString>();
        QTest::newRow("empty") << "" << std::optional<QString>();
        QTest::newRow("prefix only") << "application/pd" << std::optional<QString>();
    }

    void fileExtension()
    {
        QFETCH(QString, mimeType);
        QFETCH(std::optional<QString>, expected);
        QCOMPARE(vellora::app::preview::fileExtension(mimeType), expected);
    }

    void suggestedFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<std::optional<QString>>("mimeType");
        QTest::addColumn<QString>("expected");
        const auto type = [](const char *t) { return std::optional(QString::fromLatin1(t)); };
        const std::optional<QString> noType;
        QTest::newRow("pdf added") << "invoice" << type("application/pdf") << "invoice.pdf";
        QTest::newRow("own extension kept, any case")
            << "scan.PDF" << type("application/pdf") << "scan.PDF";
        QTest::newRow("own extension wins over the type")
            << "notes.txt" << type("application/pdf") << "notes.txt";
        QTest::newRow("nameless html") << "attachment" << type("text/html") << "attachment.html";
        QTest::newRow("nameless, no type") << "attachment" << noType << "attachment";
        QTest::newRow("xml added") << "order" << type("text/xml") << "order.xml";
        QTest::newRow("type outside the table") << "photo" << type("image/webp") << "photo";
        QTest::newRow("type in capitals") << "photo" << type("IMAGE/PNG") << "photo.png";
        QTest::newRow("trailing dot has an empty extension")
            << "invoice." << type("application/pdf") << "invoice..pdf";
        QTest::newRow("dot in a folder name is no extension")
            << "v1.2/invoice" << type("application/pdf") << "invoice.pdf";
        QTest::newRow("climb keeps only the name")
            << "../../.bashrc" << type("text/plain") << ".bashrc";
        QTest::newRow("windows path") << "C:\\x\\y.pdf" << type("application/pdf") << "y.pdf";
        QTest::newRow("empty name") << "" << type("application/pdf") << "attachment.pdf";
        QTest::newRow("dot dot") << ".." << type("image/gif") << "attachment.gif";
        QTest::newRow("override cannot fake the extension")
            << QStringLiteral("invoice\u202Efdp") << type("application/pdf") << "invoicefdp.pdf";
        // No usual file system takes a name of more than 255 bytes.
        QTest::newRow("255 bytes kept")
            << QString(251, u'a') + ".pdf" << type("application/pdf")
            << QString(251, u'a') + ".pdf";
        QTest::newRow("long name cut, extension kept")
            << QString(10000, u'a') + ".pdf" << type("application/pdf")
            << QString(251, u'a') + ".pdf";
        QTest::newRow("long name cut, type's extension added")
            << QString(10000, u'a') << type("application/pdf") << QString(251, u'a') + ".pdf";
        QTest::newRow("long name cut between characters, not inside one")
            << QString(200, u'ä') + ".pdf" << type("application/pdf")
            << QString(125, u'ä') + ".pdf";
        QTest::newRow("long extension is part of the name")
            << "a." + QString(300, u'x') << noType << "a." + QString(253, u'x');
    }

    void suggestedFileName()
    {
        QFETCH(QString, name);
        QFETCH(std::optional<QString>, mimeType);
        QFETCH(QString, expected);
        QCOMPARE(vellora::app::preview::suggestedFileName(name, mimeType), expected);
    }

    void loadedState_data()
    {
        QTest::addColumn<std::optional<std::string>>("mimeType");
        QTest::addColumn<std::optional<std::string>>("embeddedData");
        QTest::addColumn<PreviewKind>("kind");
        QTest::addColumn<QByteArray>("bytes"); // of the PDF or image shown

        const std::string pdf = wrapped(pdfBytes, "    ", "\n").toStdString();
        const std::string png = pngBytes.toBase64().toStdString();
        const auto type = [](const char *t) { return std::optional<std::string>(t); };
        const std::optional<std::string> none;

        QTest::newRow("pdf") << type("application/pdf") << std::optional(pdf) << PreviewKind::pdf
                             << pdfBytes;
        QTest::newRow("PDF in capitals")
            << type("APPLICATION/PDF") << std::optional(pdf) << PreviewKind::pdf << pdfBytes;
        QTest::newRow("png") << type("image/png") << std::optional(png) << PreviewKind::image
                             << pngBytes;
        QTest::newRow("image/PNG")
            << type("image/PNG") << std::optional(png) << PreviewKind::image << pngBytes;
        QTest::newRow("IMAGE/PNG")
            << type("IMAGE/PNG") << std::optional(png) << PreviewKind::image << pngBytes;
        QTest::newRow("image/jpg spelling")
            << type("image/jpg") << std::optional(png) << PreviewKind::image << pngBytes;
        // The decoder decides later whether the bytes are a picture: the type only selects.
        QTest::newRow("gif type, other bytes")
            << type("image/gif") << std::optional(png) << PreviewKind::image << pngBytes;

        QTest::newRow("pdf, empty content")
            << type("application/pdf") << type("") << PreviewKind::error << QByteArray();
        QTest::newRow("pdf, not base64")
            << type("application/pdf") << type("JVBE%%") << PreviewKind::error << QByteArray();
        QTest::newRow("png, not base64")
            << type("image/png") << type("iVBOR*") << PreviewKind::error << QByteArray();
        QTest::newRow("png, empty content")
            << type("image/png") << type("") << PreviewKind::error << QByteArray();
        QTest::newRow("webp, valid content")
            << type("image/webp") << std::optional(png) << PreviewKind::error << QByteArray();
        QTest::newRow("svg, valid content")
            << type("image/svg+xml") << std::optional(png) << PreviewKind::error << QByteArray();
        QTest::newRow("pdf, content of no bytes")
            << type("application/pdf") << std::optional<std::string>("\xC2\xA0")
            << PreviewKind::error << QByteArray();

        QTest::newRow("no type") << none << std::optional(pdf) << PreviewKind::unsupported
                                 << QByteArray();
        QTest::newRow("text/xml") << type("text/xml") << std::optional(pdf)
                                  << PreviewKind::unsupported << QByteArray();
        QTest::newRow("pdf without content")
            << type("application/pdf") << none << PreviewKind::unsupported << QByteArray();
        QTest::newRow("png without content")
            << type("image/png") << none << PreviewKind::unsupported << QByteArray();
        QTest::newRow("type that only starts like pdf")
            << type("application/pdfx") << std::optional(pdf) << PreviewKind::unsupported
            << QByteArray();
        QTest::newRow("empty type")
            << type("") << std::optional(pdf) << PreviewKind::unsupported << QByteArray();
    }

    void loadedState()
    {
        QFETCH(std::optional<std::string>, mimeType);
        QFETCH(std::optional<std::string>, embeddedData);
        QFETCH(PreviewKind, kind);
        QFETCH(QByteArray, bytes);

        const QString failed = QStringLiteral("cannot decode");
        const PreviewState state =
            vellora::app::preview::loadedState(attachmentOf(mimeType, embeddedData), failed);
        QVERIFY(!state.isLoading);
        QCOMPARE(previewKind(state), kind);
        QCOMPARE(state.errorMessage,
                 kind == PreviewKind::error ? std::optional(failed) : std::optional<QString>());
        QCOMPARE(state.pdfData,
                 kind == PreviewKind::pdf ? std::optional(bytes) : std::optional<QByteArray>());
        QCOMPARE(state.imageData,
                 kind == PreviewKind::image ? std::optional(bytes) : std::optional<QByteArray>());
    }

    void previewKindTakesTheFirstThatApplies_data()
    {
        QTest::addColumn<PreviewState>("state");
        QTest::addColumn<PreviewKind>("kind");
        const QByteArray data("x");
        QTest::newRow("initial state is loading") << PreviewState{} << PreviewKind::loading;
        QTest::newRow("loading over everything")
            << PreviewState{data, data, true, QStringLiteral("e")} << PreviewKind::loading;
        QTest::newRow("error over data")
            << PreviewState{data, data, false, QStringLiteral("e")} << PreviewKind::error;
        QTest::newRow("pdf over image")
            << PreviewState{data, data, false, std::nullopt} << PreviewKind::pdf;
        QTest::newRow("image") << PreviewState{std::nullopt, data, false, std::nullopt}
                               << PreviewKind::image;
        QTest::newRow("nothing") << PreviewState{std::nullopt, std::nullopt, false, std::nullopt}
                                 << PreviewKind::unsupported;
    }

    void previewKindTakesTheFirstThatApplies()
    {
        QFETCH(PreviewState, state);
        QFETCH(PreviewKind, kind);
        QCOMPARE(previewKind(state), kind);
    }
};

QTEST_GUILESS_MAIN(TestAttachmentData)
#include "test_attachmentdata.moc"
