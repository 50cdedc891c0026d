// SPDX-License-Identifier: MIT
#include "inspectorsepaview.h"

#include "app/style/localization.h"
#include "app/style/theme.h"
#include "inspector/views/inspectorblocks.h"
#include "sepa/sepainforows.h"
#include "sepa/views/qrimage.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace vellora::sepa::views {

using inspector::views::Divider;
using inspector::views::InfoRow;

QRCodeView::QRCodeView(QString payload, QWidget *parent)
    : QWidget(parent), m_payload(std::move(payload))
{
    setObjectName(QStringLiteral("qrCode"));
    setFixedSize(sizeHint());
}

QSize QRCodeView::sizeHint() const
{
    return {frameSide + 2 * padding, frameSide + 2 * padding};
}

void QRCodeView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath backing;
    backing.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    painter.fillPath(backing, Qt::white);

    const std::optional<QImage> image = makeQRImage(m_payload);
    if (!image || image->width() == 0) {
        return;
    }
    const int modules = image->width() / qrModulePixels;
    // Whole pixels per module keep every module the same size; the rest of the frame stays
    // white and adds to the quiet zone. A code larger than the frame is shrunk as a whole.
    const int perModule = modules > 0 ? frameSide / modules : 0;
    const int side = perModule > 0 ? perModule * modules : frameSide;
    const QRect target((width() - side) / 2, (height() - side) / 2, side, side);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(target, *image);
}

InspectorSEPAView::InspectorSEPAView(const SEPAPaymentInfo &sepaInfo,
                                     const std::optional<std::string> &paymentReference,
                                     QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(12);
    layout->setAlignment(Qt::AlignTop);

    const QString payload = QString::fromStdString(sepaInfo.payloadText());
    // The QR group is left out silently when the payload makes no code.
    if (makeQRImage(payload)) {
        auto *group = new QVBoxLayout;
        group->setSpacing(8);
        m_code = new QRCodeView(payload, this);
        group->addWidget(m_code, 0, Qt::AlignHCenter);
        auto *instruction = new QLabel(
            app::style::localized(QT_TRANSLATE_NOOP("Localizable", "sepa.scan_instruction")), this);
        instruction->setObjectName(QStringLiteral("scanInstruction"));
        instruction->setFont(app::style::theme::systemFont(11));
        instruction->setForegroundRole(QPalette::PlaceholderText);
        instruction->setTextFormat(Qt::PlainText);
        instruction->setAlignment(Qt::AlignHCenter);
        instruction->setWordWrap(true);
        instruction->setContentsMargins(8, 0, 8, 0);
        group->addWidget(instruction);
        layout->addLayout(group);
    }
    layout->addWidget(new Divider(0, this));

    auto *rows = new QVBoxLayout;
    rows->setSpacing(8);
    rows->setContentsMargins(8, 0, 8, 0);
    for (const SEPAInfoRow &row : sepaInfoRows(sepaInfo, paymentReference)) {
        rows->addWidget(new InfoRow(app::style::localized(row.labelKey.c_str()),
                                    QString::fromStdString(row.value), this));
    }
    layout->addLayout(rows);
}

QString noPaymentInfoReasonText(NoPaymentInfoReason reason)
{
    switch (reason) {
    case NoPaymentInfoReason::creditNote:
        return app::style::localized(QT_TRANSLATE_NOOP("Localizable", "sepa.reason.credit_note"));
    case NoPaymentInfoReason::notInEuro:
        return app::style::localized(QT_TRANSLATE_NOOP("Localizable", "sepa.reason.not_in_euro"));
    case NoPaymentInfoReason::noPaymentMeans:
        return app::style::localized(
            QT_TRANSLATE_NOOP("Localizable", "sepa.reason.no_payment_means"));
    case NoPaymentInfoReason::noPaymentAccount:
        return app::style::localized(
            QT_TRANSLATE_NOOP("Localizable", "sepa.reason.no_payment_account"));
    case NoPaymentInfoReason::noSupplierName:
        return app::style::localized(
            QT_TRANSLATE_NOOP("Localizable", "sepa.reason.no_supplier_name"));
    case NoPaymentInfoReason::noPayableAmount:
        return app::style::localized(
            QT_TRANSLATE_NOOP("Localizable", "sepa.reason.no_payable_amount"));
    case NoPaymentInfoReason::amountOutOfRange:
        return app::style::localized(
            QT_TRANSLATE_NOOP("Localizable", "sepa.reason.amount_out_of_range"));
    }
    return {};
}

} // namespace vellora::sepa::views
