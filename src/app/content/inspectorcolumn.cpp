// SPDX-License-Identifier: MIT
#include "app/content/inspectorcolumn.h"

#include <QGraphicsOpacityEffect>

#include <algorithm>
#include <cmath>

namespace vellora::app::content {

InspectorColumn::InspectorColumn(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("inspectorColumn"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_fade = new QGraphicsOpacityEffect(this);
    setGraphicsEffect(m_fade);
    setReveal(0);
}

void InspectorColumn::setReveal(qreal reveal)
{
    m_reveal = std::clamp(reveal, 0.0, 1.0);
    setFixedWidth(static_cast<int>(std::lround(m_reveal * panelWidth)));
    m_fade->setOpacity(m_reveal);
    // Fully shown, the column is drawn directly rather than through the effect's buffer.
    m_fade->setEnabled(m_reveal < 1.0);
}

void InspectorColumn::setContent(QWidget *content)
{
    if (m_content == content) {
        return;
    }
    delete m_content;
    m_content = content;
    if (m_content) {
        m_content->setParent(this);
        m_content->setGeometry(0, 0, panelWidth, height());
        m_content->show();
    }
}

qreal InspectorColumn::opacity() const
{
    return m_fade->isEnabled() ? m_fade->opacity() : 1.0;
}

void InspectorColumn::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_content) {
        m_content->setGeometry(0, 0, panelWidth, height());
    }
}

} // namespace vellora::app::content
