// SPDX-License-Identifier: MIT
// An indeterminate progress indicator: a turning arc in the dimmed text colour.
#pragma once

#include <QWidget>

class QPainter;
class QTimer;

namespace vellora::xmlview::views {

class Spinner final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Spinner)

public:
    // `size` is the side of the square it fills, in device-independent pixels.
    explicit Spinner(int size, QWidget *parent = nullptr);

    QSize sizeHint() const override;

    // Paints one frame into `rect`; `phase` in degrees. Also used by rows that show a spinner.
    static void paintArc(QPainter &painter, const QRectF &rect, int phase, const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    int m_size;
    int m_phase = 0;
    QTimer *m_timer;
};

} // namespace vellora::xmlview::views
