// SPDX-License-Identifier: MIT
// The sidebar's values: item identities, type labels, byte counts, row texts and the list.
#include "app/content/attachmentrow.h"
#include "app/style/localization.h"
#include "app/content/previewstylesidebar.h"
#include "app/content/sidebaritem.h"
#include "support/scopedlocale.h"

#include <QLabel>
#include <QListView>
#include <QTest>

#include <clocale>
#include <optional>
#include <unordered_set>

using namespace vellora::app::content;
using namespace vellora::app::style;
using vellora::model::UBLAttachment;
using vellora::model::Uuid;

Q_DECLARE_METATYPE(vellora::model::UBLAttachment)

namespace {

Uuid uuid(const char *text)
{
    return *Uuid::fromString(text);
}

UBLAttachment embedded(const char *id, const char *name, const char *type, const char *data)
{
    UBLAttachment attachment;
    attachment.id = uuid(id);
    attachment.documentID = "DOC";
    attachment.filename = name;
    attachment.mimeType = type;
    attachment.embeddedData = data;
    return attachment;
}

} // namespace

class TestSidebar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { removeTranslations(*QCoreApplication::instance()); }

    void mimeTypeLabels_data()
    {
        QTest::addColumn<QString>("mimeType");
        QTest::addColumn<QString>("label");
        QTest::newRow("application/pdf") << "application/pdf"
                                         << "PDF";
        QTest::newRow("APPLICATION/PDF in capitals") << "APPLICATION/PDF"
                                                     << "PDF";
        QTest::newRow("image/jpeg") << "image/jpeg"
                                    << "JPEG";
        QTest::newRow("IMAGE/JPG in capitals") << "IMAGE/JPG"
                                               << "JPEG";
        QTest::newRow("image/png") << "image/png"
                                   << "PNG";
        QTest::newRow("image/gif") << "image/gif"
                                   << "GIF";
        QTest::newRow("text/csv") << "text/csv"
                                  << "CSV";
        QTest::newRow("application/vnd.ms-excel") << "application/vnd.ms-excel"
                                                  << "VND.MS-EXCEL";
        QTest::newRow("no slash") << "octets"
                                  << "OCTETS";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("trailing slash") << "image/"
                                        << "";
        QTest::newRow("last slash wins") << "a/b/c"
                                         << "C";
        QTest::newRow("image/webp") << "image/webp"
                                    << "WEBP";
        QTest::newRow("upper-cased with full case mapping") << "text/straße"
                                                            << "STRASSE";
    }

    void mimeTypeLabels()
    {
        QFETCH(QString, mimeType);
        QFETCH(QString, label);
        QCOMPARE(QString::fromStdString(mimeTypeLabel(mimeType.toStdString())), label);
    }

    void sidebarItemIdentity_data()
    {
        QTest::addColumn<QString>("uuid");
        QTest::addColumn<bool>("rawXML");
        QTest::addColumn<QString>("id");
        QTest::newRow("all-zero attachment") << "00000000-0000-0000-0000-000000000000" << false
                                             << "attachment-00000000-0000-0000-0000-000000000000";
        QTest::newRow("lower-case id shown in upper case")
            << "0a1b2c3d-4e5f-4a6b-8c7d-9e0f1a2b3c4d" << false
            << "attachment-0A1B2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D";
        QTest::newRow("XML source") << QString() << true << "rawXML";
    }

    void sidebarItemIdentity()
    {
        QFETCH(QString, uuid);
        QFETCH(bool, rawXML);
        QFETCH(QString, id);
        UBLAttachment attachment;
        if (!rawXML) {
            attachment.id = *Uuid::fromString(uuid.toStdString());
        }
        const SidebarItem item =
            rawXML ? SidebarItem::rawXML() : SidebarItem::attachment(attachment);
        QCOMPARE(QString::fromStdString(item.id()), id);
        QCOMPARE(item.isRawXML(), rawXML);
        QCOMPARE(item.attachmentValue() != nullptr, !rawXML);
    }

    void sidebarItemEquality_data()
    {
        const UBLAttachment a =
            embedded("11111111-1111-4111-8111-111111111111", "a.pdf", "application/pdf", "QUJD");
        UBLAttachment sameId = a;
        sameId.embeddedData = "REVG"; // different content, same id
        UBLAttachment otherId = a;
        otherId.id = uuid("22222222-2222-4222-8222-222222222222");
        UBLAttachment otherDescription = a;
        otherDescription.documentDescription = "not compared";

        QTest::addColumn<int>("leftKind"); // 0 attachment, 1 XML source
        QTest::addColumn<int>("rightKind");
        QTest::addColumn<UBLAttachment>("left");
        QTest::addColumn<UBLAttachment>("right");
        QTest::addColumn<bool>("equal");
        QTest::newRow("same attachment") << 0 << 0 << a << a << true;
        QTest::newRow("field outside the comparison differs")
            << 0 << 0 << a << otherDescription << true;
        QTest::newRow("embedded content differs") << 0 << 0 << a << sameId << false;
        QTest::newRow("id differs") << 0 << 0 << a << otherId << false;
        QTest::newRow("two XML source items") << 1 << 1 << a << a << true;
        QTest::newRow("attachment and XML source") << 0 << 1 << a << a << false;
    }

    void sidebarItemEquality()
    {
        QFETCH(int, leftKind);
        QFETCH(int, rightKind);
        QFETCH(UBLAttachment, left);
        QFETCH(UBLAttachment, right);
        QFETCH(bool, equal);
        const SidebarItem l = leftKind == 0 ? SidebarItem::attachment(left) : SidebarItem::rawXML();
        const SidebarItem r =
            rightKind == 0 ? SidebarItem::attachment(right) : SidebarItem::rawXML();
        QCOMPARE(l == r, equal);
        QCOMPARE(r == l, equal);
        if (equal) {
            QCOMPARE(std::hash<SidebarItem>{}(l), std::hash<SidebarItem>{}(r));
        }
    }

    void sidebarItemHashSeparatesKinds()
    {
        // The kind goes into the hash first, so a set holds both kinds apart.
        const UBLAttachment a =
            embedded("11111111-1111-4111-8111-111111111111", "a.pdf", "application/pdf", "QUJD");
        const UBLAttachment b =
            embedded("22222222-2222-4222-8222-222222222222", "a.pdf", "application/pdf", "QUJD");
        std::unordered_set<SidebarItem> items{
            SidebarItem::attachment(a), SidebarItem::attachment(a), SidebarItem::attachment(b),
            SidebarItem::rawXML(), SidebarItem::rawXML()};
        QCOMPARE(items.size(), std::size_t(3));
        QVERIFY(std::hash<SidebarItem>{}(SidebarItem::attachment(a)) !=
                std::hash<SidebarItem>{}(SidebarItem::rawXML()));
        QVERIFY(std::hash<SidebarItem>{}(SidebarItem::attachment(a)) !=
                std::hash<SidebarItem>{}(SidebarItem::attachment(b)));
    }

    void byteCounts_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("en 0 bytes") << qint64(0) << en << "0 kB";
        QTest::newRow("en 1 byte is at least 1 kB") << qint64(1) << en << "1 kB";
        QTest::newRow("en 999 bytes") << qint64(999) << en << "1 kB";
        QTest::newRow("en 1000 bytes") << qint64(1000) << en << "1 kB";
        QTest::newRow("en 1499 bytes rounds down") << qint64(1499) << en << "1 kB";
        QTest::newRow("en 1500 bytes rounds up") << qint64(1500) << en << "2 kB";
        QTest::newRow("en 15000 bytes") << qint64(15000) << en << "15 kB";
        QTest::newRow("en 999499 bytes") << qint64(999499) << en << "999 kB";
        QTest::newRow("en 999500 bytes turns to MB") << qint64(999500) << en << "1 MB";
        QTest::newRow("en 1200000 bytes") << qint64(1200000) << en << "1.2 MB";
        QTest::newRow("en 1250000 bytes rounds half up") << qint64(1250000) << en << "1.3 MB";
        QTest::newRow("en 2345678901 bytes stays in MB")
            << qint64(2345678901) << en << "2,345.7 MB";
        QTest::newRow("en negative shown as zero") << qint64(-5) << en << "0 kB";
        QTest::newRow("de_DE 1200000 bytes") << qint64(1200000) << de << "1,2 MB";
        QTest::newRow("de_DE 2345678901 bytes") << qint64(2345678901) << de << "2.345,7 MB";
        QTest::newRow("de_DE 15000 bytes") << qint64(15000) << de << "15 kB";
    }

    void byteCounts()
    {
        QFETCH(qint64, bytes);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        // ICU puts a no-break space between number and unit.
        QCOMPARE(byteCountText(bytes, locale).replace(QChar(0x00A0), QLatin1Char(' ')), text);
    }

    void byteCountsIgnoreTheProcessLocale()
    {
        QString text;
        {
            const vellora::testing::ScopedLocale german("de_DE.UTF-8");
            VELLORA_QREQUIRE_LOCALE(german, "de_DE.UTF-8");
            qputenv("LC_ALL", "de_DE.UTF-8");
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            text = byteCountText(1200000, QLocale(QLocale::English));
            QLocale::setDefault(QLocale::c());
            qunsetenv("LC_ALL");
        }
        QCOMPARE(text.replace(QChar(0x00A0), QLatin1Char(' ')), QStringLiteral("1.2 MB"));
    }

    void rowTexts_data()
    {
        QTest::addColumn<UBLAttachment>("attachment");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("detail");

        QTest::newRow("PDF with content")
            << embedded("11111111-1111-4111-8111-111111111111", "invoice.pdf", "application/pdf",
                        std::string(2000, 'A').c_str())
            << "invoice.pdf" << QStringList{"PDF", "•", "2 kB"};

        UBLAttachment external;
        external.externalReference = "https://example.com/contract.pdf";
        QTest::newRow("external reference only") << external << "Untitled" << QStringList{};

        UBLAttachment typeOnly;
        typeOnly.filename = "scan.png";
        typeOnly.mimeType = "image/png";
        QTest::newRow("type without content") << typeOnly << "scan.png" << QStringList{"PNG"};

        UBLAttachment contentOnly;
        contentOnly.embeddedData = "QUJD";
        QTest::newRow("content without type or name")
            << contentOnly << "Untitled" << QStringList{"•", "1 kB"};

        UBLAttachment emptyType = typeOnly;
        emptyType.mimeType = "";
        emptyType.embeddedData = "";
        QTest::newRow("empty type and empty content")
            << emptyType << "scan.png" << QStringList{"", "•", "0 kB"};

        UBLAttachment emptyName = typeOnly;
        emptyName.filename = "";
        QTest::newRow("empty name stays empty") << emptyName << "" << QStringList{"PNG"};
    }

    void rowTexts()
    {
        QFETCH(UBLAttachment, attachment);
        QFETCH(QString, name);
        QFETCH(QStringList, detail);
        PreviewStyleAttachmentRow row =
            PreviewStyleAttachmentRow::of(attachment, QLocale(QLocale::English));
        row.detail.replaceInStrings(QString(QChar(0x00A0)), QStringLiteral(" "));
        QCOMPARE(row.name, name);
        QCOMPARE(row.detail, detail);
    }

    void listModelRowsAndItems()
    {
        const UBLAttachment a =
            embedded("11111111-1111-4111-8111-111111111111", "a.pdf", "application/pdf", "QUJD");
        const UBLAttachment b =
            embedded("22222222-2222-4222-8222-222222222222", "b.png", "image/png", "QUJD");
        AttachmentListModel model({a, b});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.rowCount(model.index(0)), 0);
        QCOMPARE(model.index(1).data().toString(), QStringLiteral("b.png"));
        QCOMPARE(model.index(0).data(AttachmentListModel::ItemIdRole).toString(),
                 QStringLiteral("attachment-11111111-1111-4111-8111-111111111111"));
        QCOMPARE(model.index(0).data(AttachmentListModel::DetailRole).toStringList().value(0),
                 QStringLiteral("PDF"));
        QCOMPARE(model.item(model.index(1)), std::optional(SidebarItem::attachment(b)));
        QCOMPARE(model.item(QModelIndex()), std::nullopt);
        QCOMPARE(model.indexOf(SidebarItem::attachment(b)).row(), 1);
        QVERIFY(!model.indexOf(SidebarItem::rawXML()).isValid());
        QVERIFY(!model.indexOf(std::nullopt).isValid());
    }

    void sidebarReportsTheUsersChoice()
    {
        const UBLAttachment a =
            embedded("11111111-1111-4111-8111-111111111111", "a.pdf", "application/pdf", "QUJD");
        const UBLAttachment b =
            embedded("22222222-2222-4222-8222-222222222222", "b.png", "image/png", "QUJD");
        PreviewStyleSidebar sidebar({a, b});
        QVERIFY(sidebar.listView());
        std::vector<std::optional<SidebarItem>> chosen;
        connect(&sidebar, &PreviewStyleSidebar::selectionChosen, this,
                [&chosen](const std::optional<SidebarItem> &item) { chosen.push_back(item); });

        // Set from outside: shown, not reported back.
        sidebar.setSelection(SidebarItem::attachment(a));
        QVERIFY(chosen.empty());
        QCOMPARE(sidebar.listView()->selectionModel()->selectedRows().value(0).row(), 0);

        // The user picks the second row, then clears the selection.
        sidebar.listView()->selectionModel()->select(sidebar.listModel()->index(1),
                                                     QItemSelectionModel::ClearAndSelect);
        sidebar.listView()->selectionModel()->clearSelection();
        QCOMPARE(chosen.size(), std::size_t(2));
        QCOMPARE(chosen[0], std::optional(SidebarItem::attachment(b)));
        QCOMPARE(chosen[1], std::nullopt);
    }

    void emptySidebarShowsTheNote()
    {
        PreviewStyleSidebar sidebar({});
        QVERIFY(!sidebar.listView());
        auto *text = sidebar.findChild<QLabel *>(QStringLiteral("noAttachmentsText"));
        QVERIFY(text);
        QCOMPARE(text->text(), QStringLiteral("attachments.no_attachments"));
    }
};

QTEST_MAIN(TestSidebar)
#include "test_sidebar.moc"
