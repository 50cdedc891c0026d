// SPDX-License-Identifier: MIT
// The SEPA tab: the EPC QR code of the payment, the scan instruction and the payment data.
#pragma once

#include "sepa/sepapaymentinfo.h"
#include "sepa/sepaqrcodeservice.h"

#include <QWidget>

#include <optional>
#include <string>

class QLabel;

namespace vellora::sepa::views {

// The QR code of a payload on its white rounded backing: the code fitted into a 180 by 180
// frame with whole pixels per module (sharp, equal squares), 8 of white padding around it.
// The image is made anew from the payload at every paint; nothing is kept between paints.
class QRCodeView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QRCodeView)

public:
    static constexpr int frameSide = 180;
    static constexpr int padding = 8;
    static constexpr int cornerRadius = 8;

    explicit QRCodeView(QString payload, QWidget *parent = nullptr);

    QString payload() const { return m_payload; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_payload;
};

class InspectorSEPAView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorSEPAView)

public:
    // `paymentReference` is the reference the payer quotes
    // (SEPAQRCodeService::paymentReference of the same document).
    InspectorSEPAView(const SEPAPaymentInfo &sepaInfo,
                      const std::optional<std::string> &paymentReference,
                      QWidget *parent = nullptr);

    // nullptr when the payload makes no QR code (the rows are shown all the same).
    QRCodeView *codeView() const { return m_code; }

private:
    QRCodeView *m_code = nullptr;
};

// The line the SEPA empty state adds to say why there is no code, in the user's language.
QString noPaymentInfoReasonText(NoPaymentInfoReason reason);

} // namespace vellora::sepa::views
