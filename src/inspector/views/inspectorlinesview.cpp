// SPDX-License-Identifier: MIT
#include "inspectorlinesview.h"

#include "app/style/localization.h"
#include "app/style/theme.h"
#include "formatlocale.h"
#include "inspectorblocks.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QVBoxLayout>

namespace vellora::inspector::views {

namespace theme = app::style::theme;

namespace {

QFont nameFont()
{
    return theme::systemFont(12, QFont::Medium);
}

QFont quantityFont()
{
    return theme::systemFont(11);
}

QFont amountFont()
{
    return theme::systemFont(12, QFont::Medium);
}

QFont captionFont()
{
    return theme::systemFont(11, QFont::DemiBold);
}

constexpr int captionPaddingTop = 8;

// The height of the row that holds quantity and amount.
int detailRowHeight()
{
    return std::max(QFontMetrics(quantityFont()).height(), QFontMetrics(amountFont()).height());
}

QString fromOptional(const std::optional<std::string> &text)
{
    return text ? QString::fromStdString(*text) : QString();
}

} // namespace

DocumentLinesModel::DocumentLinesModel(LinesContent content, std::string locale, QObject *parent)
    : QAbstractListModel(parent), m_content(std::move(content)), m_locale(std::move(locale)),
      m_texts(m_content.rows.size())
{}

int DocumentLinesModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_content.caption) {
        return 0;
    }
    return static_cast<int>(m_content.rows.size()) + 1;
}

const DocumentLinesModel::CardTexts &DocumentLinesModel::cardTexts(std::size_t line) const
{
    std::optional<CardTexts> &texts = m_texts[line];
    if (!texts) {
        const DocumentLineRow &row = m_content.rows[line];
        texts = CardTexts{fromOptional(row.quantityText(m_locale)),
                          fromOptional(row.amountText(m_locale))};
    }
    return *texts;
}

QVariant DocumentLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const bool isCaption = index.row() == 0;
    if (role == IsCaptionRole) {
        return isCaption;
    }
    if (isCaption) {
        return role == Qt::DisplayRole ? QVariant(inspectorText(*m_content.caption))
                                       : QVariant();
    }
    const auto line = static_cast<std::size_t>(index.row() - 1);
    switch (role) {
    case Qt::DisplayRole:
    case ItemNameRole:
        // Measuring a card needs only its name, so measuring all of them formats nothing.
        return fromOptional(m_content.rows[line].itemName);
    case QuantityTextRole:
        return cardTexts(line).quantity;
    case AmountTextRole:
        return cardTexts(line).amount;
    default:
        return {};
    }
}

LineCardDelegate::LineCardDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

int LineCardDelegate::textWidth(const QStyleOptionViewItem &option)
{
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    const int rowWidth = view ? view->viewport()->width() : option.rect.width();
    return std::max(1, rowWidth - 2 * sideInset - 2 * cardPaddingX);
}

QStringList LineCardDelegate::nameLines(const QString &name, const QFont &font, int width)
{
    QString text = name;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(textOption);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxNameLines - 1) {
            // The last line that is drawn takes the rest of the name, cut with an ellipsis.
            QString rest = text.mid(line.textStart()).simplified();
            lines << QFontMetrics(font).elidedText(rest, Qt::ElideRight, width);
            break;
        }
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

QSize LineCardDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int width = option.widget ? textWidth(option) + 2 * (sideInset + cardPaddingX) : 300;
    if (index.data(DocumentLinesModel::IsCaptionRole).toBool()) {
        return {width, captionPaddingTop + QFontMetrics(captionFont()).height() + cardSpacing};
    }
    int height = 2 * cardPaddingY + detailRowHeight() + cardSpacing;
    const QString name = index.data(DocumentLinesModel::ItemNameRole).toString();
    if (!name.isNull()) {
        const QFontMetrics metrics(nameFont());
        // One line when the name fits; otherwise it wraps, and never takes more than two.
        const bool oneLine = !name.contains(QLatin1Char('\n')) &&
                             metrics.horizontalAdvance(name) <= textWidth(option);
        height += (oneLine ? 1 : maxNameLines) * metrics.lineSpacing() + 4;
    }
    return {width, height};
}

void LineCardDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    painter->save();
    const QPalette &palette = option.palette;
    if (index.data(DocumentLinesModel::IsCaptionRole).toBool()) {
        painter->setFont(captionFont());
        painter->setPen(theme::secondaryText(palette));
        const QRect text =
            option.rect.adjusted(sideInset, captionPaddingTop, -sideInset, -cardSpacing);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          captionText(index.data(Qt::DisplayRole).toString()));
        painter->restore();
        return;
    }

    const QRect card = option.rect.adjusted(sideInset, 0, -sideInset, -cardSpacing);
    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(card), cornerRadius, cornerRadius);
    // The panel itself has the window colour; cards take the text background at half opacity
    // to stand out from it in light and dark palettes alike.
    QColor fill = theme::textBackground(palette);
    fill.setAlphaF(0.5);
    painter->fillPath(path, fill);

    const QRect inner = card.adjusted(cardPaddingX, cardPaddingY, -cardPaddingX, -cardPaddingY);
    int y = inner.top();
    const QString name = index.data(DocumentLinesModel::ItemNameRole).toString();
    if (!name.isNull()) {
        const QFont font = nameFont();
        const QFontMetrics metrics(font);
        painter->setFont(font);
        painter->setPen(palette.color(QPalette::WindowText));
        for (const QString &line : nameLines(name, font, inner.width())) {
            painter->drawText(QRect(inner.left(), y, inner.width(), metrics.lineSpacing()),
                              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
            y += metrics.lineSpacing();
        }
        // The measured height decides where the second row goes, so a name that wrapped to
        // fewer lines than measured leaves no overlap.
        y = inner.bottom() + 1 - detailRowHeight();
    }
    const QRect detail(inner.left(), y, inner.width(), detailRowHeight());
    const QString amount = index.data(DocumentLinesModel::AmountTextRole).toString();
    int amountWidth = 0;
    if (!amount.isNull()) {
        painter->setFont(amountFont());
        painter->setPen(palette.color(QPalette::WindowText));
        amountWidth = QFontMetrics(amountFont()).horizontalAdvance(amount);
        painter->drawText(detail, Qt::AlignRight | Qt::AlignVCenter, amount);
    }
    const QString quantity = index.data(DocumentLinesModel::QuantityTextRole).toString();
    if (!quantity.isNull()) {
        painter->setFont(quantityFont());
        painter->setPen(theme::secondaryText(palette));
        const int room = std::max(0, detail.width() - amountWidth - 8);
        painter->drawText(QRect(detail.left(), detail.top(), room, detail.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(quantityFont()).elidedText(quantity, Qt::ElideRight, room));
    }
    painter->restore();
}

InspectorLinesView::InspectorLinesView(const model::UBLDocumentInfo &ublInfo, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    LinesContent content = linesContent(ublInfo);
    if (!content.caption) {
        layout->addWidget(new InspectorEmptyStateView(
            QString::fromUtf8(noLinesIcon.data(), noLinesIcon.size()),
            inspectorText(noLinesTitle), std::nullopt, std::nullopt, this));
        layout->addStretch(1);
        return;
    }
    m_model = new DocumentLinesModel(std::move(content), formatLocale(), this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("linesList"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new LineCardDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setUniformItemSizes(false);
    // The panel's colour shows through between the cards.
    m_list->setAutoFillBackground(false);
    m_list->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_list);
}

} // namespace vellora::inspector::views
