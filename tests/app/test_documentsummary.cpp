// SPDX-License-Identifier: MIT
#include "app/documentsummary.h"

#include "parser/velloradocument.h"

#include <QTest>

using vellora::parser::VelloraDocument;

class TestDocumentSummary : public QObject
{
    Q_OBJECT

private slots:
    void summary_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("valid invoice")
            << QByteArray("<Invoice><ID>INV-7</ID></Invoice>") << QStringLiteral("Valid Invoice INV-7");
        QTest::newRow("valid credit note")
            << QByteArray("<CreditNote><ID>CN-2</ID></CreditNote>")
            << QStringLiteral("Valid CreditNote CN-2");
        QTest::newRow("not UBL") << QByteArray("<Order/>")
                                 << QStringLiteral("Invalid: Not a valid UBL document");
    }

    void summary()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        auto read = VelloraDocument::fromBytes(bytes.toStdString());
        QVERIFY(std::holds_alternative<VelloraDocument>(read));
        QCOMPARE(vellora::app::documentSummary(std::get<VelloraDocument>(read)), expected);
    }

    void newDocument()
    {
        QCOMPARE(vellora::app::documentSummary(VelloraDocument()), QStringLiteral("New document"));
    }
};

QTEST_GUILESS_MAIN(TestDocumentSummary)
#include "test_documentsummary.moc"
