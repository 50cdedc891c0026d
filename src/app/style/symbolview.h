// SPDX-License-Identifier: MIT
// A symbol drawn as a single-colour image, like a glyph in a text colour.
#pragma once

#include <QPalette>
#include <QWidget>

namespace vellora::app::style {

// Draws the icon of a symbol name ("paperclip") at a square size in device-independent
// pixels, filled with a palette colour (the secondary text colour by default). The colour is
// taken from the palette at each paint, so a palette change recolours it.
class SymbolView : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SymbolView)

public:
    SymbolView(const QString &symbol, int size, QWidget *parent = nullptr);

    QString symbol() const { return m_symbol; }
    int symbolSize() const { return m_size; }

    void setColorRole(QPalette::ColorRole role);
    QPalette::ColorRole colorRole() const { return m_role; }

    // The image as painted, for the given palette.
    QPixmap tintedPixmap(qreal devicePixelRatio, const QPalette &palette) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    int m_size;
    QPalette::ColorRole m_role = QPalette::PlaceholderText;
};

} // namespace vellora::app::style
