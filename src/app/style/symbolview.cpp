// SPDX-License-Identifier: MIT
#include "app/style/symbolview.h"

#include "app/style/symbols.h"

#include <QPainter>

namespace vellora::app::style {

SymbolView::SymbolView(const QString &symbol, int size, QWidget *parent)
    : QWidget(parent), m_symbol(symbol), m_size(size)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setColorRole(QPalette::ColorRole role)
{
    m_role = role;
    update();
}

QPixmap SymbolView::tintedPixmap(qreal devicePixelRatio, const QPalette &palette) const
{
    QPixmap pixmap = symbolIcon(m_symbol).pixmap(QSize(m_size, m_size), devicePixelRatio);
    // Keep the icon's shape (its alpha) and fill it with the colour.
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(0, 0), pixmap.size()), palette.color(m_role));
    return pixmap;
}

QSize SymbolView::sizeHint() const
{
    return {m_size, m_size};
}

QSize SymbolView::minimumSizeHint() const
{
    return sizeHint();
}

void SymbolView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap pixmap = tintedPixmap(devicePixelRatioF(), palette());
    const QSize logical = pixmap.deviceIndependentSize().toSize();
    const QRect target(QPoint((width() - logical.width()) / 2, (height() - logical.height()) / 2),
                       logical);
    painter.drawPixmap(target, pixmap);
}

} // namespace vellora::app::style
