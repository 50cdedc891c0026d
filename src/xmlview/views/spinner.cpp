// SPDX-License-Identifier: MIT
#include "spinner.h"

#include "app/style/theme.h"

#include <QPainter>
#include <QPen>
#include <QTimer>

namespace vellora::xmlview::views {

Spinner::Spinner(int size, QWidget *parent)
    : QWidget(parent), m_size(size), m_timer(new QTimer(this))
{
    setFixedSize(size, size);
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_phase = (m_phase + 30) % 360;
        update();
    });
}

QSize Spinner::sizeHint() const
{
    return {m_size, m_size};
}

void Spinner::paintArc(QPainter &painter, const QRectF &rect, int phase, const QColor &color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal width = std::max<qreal>(1.5, rect.width() / 8);
    QPen pen(color, width, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    const QRectF arc = rect.adjusted(width, width, -width, -width);
    // Qt counts angles in 1/16 degree, counter-clockwise: turning the start clockwise.
    painter.drawArc(arc, -phase * 16, 270 * 16);
    painter.restore();
}

void Spinner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintArc(painter, QRectF(rect()), m_phase, app::style::theme::secondaryText(palette()));
}

void Spinner::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_timer->start();
}

void Spinner::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QWidget::hideEvent(event);
}

} // namespace vellora::xmlview::views
