// SPDX-License-Identifier: MIT
// The column at the trailing edge of a document window that holds the inspector.
#pragma once

#include <QWidget>

class QGraphicsOpacityEffect;

namespace vellora::app::content {

// A column whose width and opacity follow `reveal`, from 0 (hidden: no width, transparent)
// to 1 (panelWidth wide, opaque). Its content keeps the full panel width and stays anchored
// to the column's leading edge, so while the column grows the panel slides in from the
// trailing edge. Owns its content.
class InspectorColumn : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorColumn)
    Q_PROPERTY(qreal reveal READ reveal WRITE setReveal)

public:
    static constexpr int panelWidth = 300;

    explicit InspectorColumn(QWidget *parent = nullptr);

    qreal reveal() const { return m_reveal; }
    void setReveal(qreal reveal);

    // The widget shown; nullptr when there is none.
    QWidget *content() const { return m_content; }
    // Replaces (and deletes) the content; nullptr removes it.
    void setContent(QWidget *content);

    // The opacity the column is drawn with.
    qreal opacity() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_content = nullptr;
    QGraphicsOpacityEffect *m_fade = nullptr;
    qreal m_reveal = 0;
};

} // namespace vellora::app::content
