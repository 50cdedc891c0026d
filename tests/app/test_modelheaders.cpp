// SPDX-License-Identifier: MIT
// The model's headers come first on purpose: moc reads them through every view header that
// includes them, and must get through them whatever precedes them.
#include "model/date.h"
#include "model/decimal.h"
#include "model/ubldocumentinfo.h"

#include <QTest>

using namespace vellora::model;

class TestModelHeaders : public QObject
{
    Q_OBJECT

private slots:
    void modelValuesReachViews()
    {
        QCOMPARE(QString::fromStdString(Decimal::fromString("12.50")->toString()),
                 QStringLiteral("12.50"));
        QCOMPARE(QString::fromStdString(Date::fromIsoText("2024-03-01")->toIsoString()),
                 QStringLiteral("2024-03-01"));
        QCOMPARE(QString::fromUtf8(rawValue(UBLDocumentType::creditNote)),
                 QStringLiteral("CreditNote"));
    }
};

QTEST_GUILESS_MAIN(TestModelHeaders)
#include "test_modelheaders.moc"
