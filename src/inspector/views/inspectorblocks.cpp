// SPDX-License-Identifier: MIT
#include "inspectorblocks.h"

#include "app/style/localization.h"
#include "app/style/symbolview.h"
#include "app/style/theme.h"
#include "model/text.h"

#include <QBoxLayout>
#include <QPainter>
#include <QRegularExpression>

namespace vellora::inspector::views {

QString inspectorText(std::string_view text)
{
    // Keys have the form area.item: lower-case words joined by full stops.
    static const QRegularExpression key(QStringLiteral("^[a-z_]+(\\.[a-z_0-9]+)+$"));
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (key.match(string).hasMatch()) {
        return app::style::localized(std::string(text).c_str());
    }
    return string;
}

namespace theme = app::style::theme;

QString captionText(const QString &text)
{
    return QString::fromStdString(model::upperCased(text.toStdString()));
}

void styleAsCaption(QLabel &label)
{
    label.setText(captionText(label.text()));
    label.setFont(theme::systemFont(11, QFont::DemiBold));
    label.setForegroundRole(QPalette::PlaceholderText);
    label.setTextFormat(Qt::PlainText);
}

InfoRow::InfoRow(const QString &label, const QString &value, QWidget *parent)
    : QWidget(parent), m_label(new QLabel(label, this)), m_value(new QLabel(value, this))
{
    styleAsCaption(*m_label);
    m_label->setWordWrap(true);
    m_value->setFont(theme::systemFont(12));
    m_value->setTextFormat(Qt::PlainText);
    m_value->setWordWrap(true);
    m_value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_value->setCursor(Qt::IBeamCursor);
    // An empty value still takes its line.
    m_value->setMinimumHeight(m_value->fontMetrics().height());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_label);
    layout->addWidget(m_value);
}

InspectorSectionHeader::InspectorSectionHeader(const QString &title, QWidget *parent)
    : QLabel(title, parent)
{
    styleAsCaption(*this);
}

InspectorEmptyStateView::InspectorEmptyStateView(const QString &icon, const QString &title,
                                                 const std::optional<QString> &message,
                                                 const std::optional<QString> &detail,
                                                 QWidget *parent)
    : QWidget(parent), m_icon(icon), m_title(new QLabel(title, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 40, 0, 40);
    layout->setSpacing(12);
    auto *symbol = new app::style::SymbolView(icon, 32, this);
    symbol->setObjectName(QStringLiteral("emptyStateIcon"));
    layout->addWidget(symbol, 0, Qt::AlignHCenter);
    m_title->setFont(theme::systemFont(12, QFont::Medium));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignHCenter);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    const auto addSecondary = [&](const QString &text) {
        auto *label = new QLabel(text, this);
        label->setFont(theme::systemFont(12));
        label->setTextFormat(Qt::PlainText);
        label->setForegroundRole(QPalette::PlaceholderText);
        label->setAlignment(Qt::AlignHCenter);
        label->setWordWrap(true);
        label->setContentsMargins(16, 0, 16, 0);
        layout->addWidget(label);
        return label;
    };
    if (message) {
        m_message = addSecondary(*message);
    }
    if (detail) {
        m_detail = addSecondary(*detail);
        m_detail->setObjectName(QStringLiteral("emptyStateDetail"));
    }
}

void InspectorContentStyle::apply(QBoxLayout &layout)
{
    layout.setContentsMargins(padding, padding, padding, padding);
    layout.setAlignment(Qt::AlignTop);
}

Divider::Divider(int verticalPadding, QWidget *parent) : QWidget(parent), m_padding(verticalPadding)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(1 + 2 * m_padding);
}

QSize Divider::sizeHint() const
{
    return {1, 1 + 2 * m_padding};
}

void Divider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(QRect(0, m_padding, width(), 1), theme::separator(palette()));
}

} // namespace vellora::inspector::views
