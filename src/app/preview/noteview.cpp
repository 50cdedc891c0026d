// SPDX-License-Identifier: MIT
#include "noteview.h"

#include "app/style/symbols.h"
#include "app/style/symbolview.h"
#include "app/style/theme.h"

#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace vellora::app::preview {

using style::symbolIcon;
using style::SymbolView;
namespace theme = style::theme;

NoteView::NoteView(const QString &symbol, const QString &title, const QString &message,
                   QWidget *parent, SymbolColors colors)
    : QWidget(parent), m_symbol(symbol)
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    // The platform's standard inset at the sides keeps the lines off the edges.
    const int inset = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    layout->setContentsMargins(inset, inset, inset, inset);
    layout->addStretch(1);

    QWidget *icon = nullptr;
    if (colors == SymbolColors::own) {
        auto *label = new QLabel(this);
        label->setPixmap(symbolIcon(symbol).pixmap(QSize(48, 48), devicePixelRatioF()));
        label->setFixedSize(48, 48);
        icon = label;
    } else {
        icon = new SymbolView(symbol, 48, this);
    }
    icon->setObjectName(QStringLiteral("noteSymbol"));
    layout->addWidget(icon, 0, Qt::AlignHCenter);

    m_title = new QLabel(title, this);
    m_title->setObjectName(QStringLiteral("noteTitle"));
    m_title->setFont(theme::headline());
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    m_title->setTextFormat(Qt::PlainText);
    layout->addWidget(m_title);

    m_message = new QLabel(message, this);
    m_message->setObjectName(QStringLiteral("noteMessage"));
    m_message->setFont(theme::body());
    m_message->setForegroundRole(QPalette::PlaceholderText);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);
    layout->addWidget(m_message);

    layout->addStretch(1);
}

QString NoteView::symbol() const
{
    return m_symbol;
}

QString NoteView::title() const
{
    return m_title->text();
}

QString NoteView::message() const
{
    return m_message->text();
}

} // namespace vellora::app::preview
