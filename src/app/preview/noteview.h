// SPDX-License-Identifier: MIT
// The centred note the preview shows instead of content: a symbol, a headline, a message.
#pragma once

#include <QWidget>

class QLabel;

namespace vellora::app::preview {

class NoteView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NoteView)

public:
    enum class SymbolColors
    {
        secondary, // the symbol's shape in the secondary text colour
        own,       // the icon as the theme draws it (the warning triangle is orange)
    };

    // A stack centred in the area, 16 points apart: the symbol at 48 points, the title in the
    // headline font and the message in the body font and secondary colour, lines centred.
    NoteView(const QString &symbol, const QString &title, const QString &message,
             QWidget *parent = nullptr, SymbolColors colors = SymbolColors::secondary);

    QString symbol() const;
    QString title() const;
    QString message() const;

private:
    QString m_symbol;
    QLabel *m_title = nullptr;
    QLabel *m_message = nullptr;
};

} // namespace vellora::app::preview
