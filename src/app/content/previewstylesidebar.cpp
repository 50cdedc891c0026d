// SPDX-License-Identifier: MIT
#include "app/content/previewstylesidebar.h"

#include "app/style/localization.h"
#include "app/style/symbolview.h"
#include "app/style/theme.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QVBoxLayout>

namespace vellora::app::content {

namespace {

// Row geometry in device-independent pixels.
constexpr int highlightMarginX = 8; // between the list's edge and the selection highlight
constexpr int highlightMarginY = 1;
constexpr int contentPaddingX = 8; // between the highlight's edge and the texts
constexpr int rowInset = 4;        // above and below the texts
constexpr int lineSpacing = 4;     // between the name and the detail line
constexpr int detailSpacing = 4;   // between the texts of the detail line
constexpr qreal highlightRadius = 6;

QFont nameFont()
{
    QFont font = style::theme::subheadline();
    font.setWeight(QFont::Medium);
    return font;
}

} // namespace

AttachmentListModel::AttachmentListModel(std::vector<model::UBLAttachment> attachments,
                                         QObject *parent)
    : QAbstractListModel(parent), m_attachments(std::move(attachments))
{
    m_rows.reserve(m_attachments.size());
    for (const model::UBLAttachment &attachment : m_attachments) {
        m_rows.push_back(PreviewStyleAttachmentRow::of(attachment));
    }
}

int AttachmentListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_attachments.size());
}

QVariant AttachmentListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const PreviewStyleAttachmentRow &texts = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return texts.name;
    case Qt::AccessibleDescriptionRole:
        return texts.detail.join(QLatin1Char(' '));
    case DetailRole:
        return texts.detail;
    case ItemIdRole:
        return QString::fromStdString(SidebarItem::attachment(m_attachments.at(index.row())).id());
    default:
        return {};
    }
}

std::optional<SidebarItem> AttachmentListModel::item(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.row() < 0 || index.row() >= rowCount()) {
        return std::nullopt;
    }
    return SidebarItem::attachment(m_attachments.at(index.row()));
}

QModelIndex AttachmentListModel::indexOf(const std::optional<SidebarItem> &item) const
{
    const model::UBLAttachment *attachment = item ? item->attachmentValue() : nullptr;
    if (!attachment) {
        return {};
    }
    for (std::size_t row = 0; row < m_attachments.size(); ++row) {
        if (m_attachments[row] == *attachment) {
            return index(static_cast<int>(row));
        }
    }
    return {};
}

void AttachmentRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group =
        option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QRect highlight = option.rect.adjusted(highlightMarginX, highlightMarginY,
                                                 -highlightMarginX, -highlightMarginY);
    if (selected) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(option.palette.color(group, QPalette::Highlight));
        painter->drawRoundedRect(highlight, highlightRadius, highlightRadius);
    } else if (option.state.testFlag(QStyle::State_MouseOver)) {
        QColor hover = option.palette.color(group, QPalette::Highlight);
        hover.setAlphaF(0.12f);
        painter->setPen(Qt::NoPen);
        painter->setBrush(hover);
        painter->drawRoundedRect(highlight, highlightRadius, highlightRadius);
    }

    const QRect content =
        highlight.adjusted(contentPaddingX, rowInset, -contentPaddingX, -rowInset);
    const QColor primary =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    QColor secondary = option.palette.color(group, QPalette::PlaceholderText);
    if (selected) {
        secondary = primary;
        secondary.setAlphaF(0.75f);
    }

    // The name, limited to one line.
    const QFont name = nameFont();
    const QFontMetrics nameMetrics(name);
    painter->setFont(name);
    painter->setPen(primary);
    const QRect nameRect(content.left(), content.top(), content.width(), nameMetrics.height());
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                      nameMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                             content.width()));

    // The detail line: its texts side by side, each elided to what is left.
    const QFont caption = style::theme::caption();
    const QFontMetrics captionMetrics(caption);
    painter->setFont(caption);
    painter->setPen(secondary);
    int x = content.left();
    const int y = nameRect.bottom() + 1 + lineSpacing;
    const QStringList detail = index.data(AttachmentListModel::DetailRole).toStringList();
    for (const QString &part : detail) {
        const int available = content.right() + 1 - x;
        if (available <= 0) {
            break;
        }
        const QString shown = captionMetrics.elidedText(part, Qt::ElideRight, available);
        const int width = captionMetrics.horizontalAdvance(shown);
        painter->drawText(QRect(x, y, width, captionMetrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, shown);
        x += width + detailSpacing;
    }
    painter->restore();
}

QSize AttachmentRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int height = 2 * highlightMarginY + 2 * rowInset + QFontMetrics(nameFont()).height() +
                       lineSpacing + QFontMetrics(style::theme::caption()).height();
    return {option.rect.width(), height};
}

PreviewStyleSidebar::PreviewStyleSidebar(std::vector<model::UBLAttachment> attachments,
                                         QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("sidebar"));
    setAccessibleName(style::localized(QT_TRANSLATE_NOOP("Localizable", "app.name")));
    setBackgroundRole(QPalette::Window); // the control background
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    if (attachments.empty()) {
        // A note in the middle of the column.
        auto *note = new QWidget(this);
        note->setObjectName(QStringLiteral("noAttachmentsNote"));
        auto *noteLayout = new QVBoxLayout(note);
        noteLayout->setSpacing(12);
        auto *icon = new style::SymbolView(QStringLiteral("paperclip"), 32, note);
        auto *text = new QLabel(style::localized(QT_TRANSLATE_NOOP("Localizable", "attachments.no_attachments")), note);
        text->setObjectName(QStringLiteral("noAttachmentsText"));
        text->setFont(style::theme::subheadline());
        text->setForegroundRole(QPalette::PlaceholderText);
        text->setAlignment(Qt::AlignCenter);
        text->setWordWrap(true);
        noteLayout->addWidget(icon, 0, Qt::AlignHCenter);
        noteLayout->addWidget(text);
        layout->addStretch(1);
        layout->addWidget(note);
        layout->addStretch(1);
        return;
    }

    m_model = new AttachmentListModel(std::move(attachments), this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("attachmentList"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new AttachmentRowDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setMouseTracking(true);
    m_list->setAttribute(Qt::WA_MacShowFocusRect, false);
    // Sidebar style: the rows sit on the column's own background, not on a text background.
    m_list->setBackgroundRole(QPalette::Window);
    m_list->viewport()->setBackgroundRole(QPalette::Window);
    m_list->setAutoFillBackground(false);
    m_list->setSpacing(0);
    layout->setContentsMargins(0, 6, 0, 6);
    layout->addWidget(m_list);

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PreviewStyleSidebar::listSelectionChanged);
}

void PreviewStyleSidebar::setSelection(const std::optional<SidebarItem> &selection)
{
    if (!m_list) {
        return;
    }
    m_settingSelection = true;
    const QModelIndex index = m_model->indexOf(selection);
    if (index.isValid()) {
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    } else {
        m_list->selectionModel()->clearSelection();
    }
    m_settingSelection = false;
}

void PreviewStyleSidebar::listSelectionChanged()
{
    if (m_settingSelection) {
        return;
    }
    const QModelIndexList selected = m_list->selectionModel()->selectedIndexes();
    emit selectionChosen(selected.isEmpty() ? std::nullopt : m_model->item(selected.first()));
}

} // namespace vellora::app::content
