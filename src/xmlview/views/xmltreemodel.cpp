// SPDX-License-Identifier: MIT
#include "xmltreemodel.h"

#include "app/style/theme.h"
#include "spinner.h"
#include "xmlview/noderendering.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

namespace vellora::xmlview::views {

namespace {

QString qText(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont segmentFont(SegmentFont font)
{
    QFont result = app::style::theme::monospaced();
    switch (font) {
    case SegmentFont::body:
        break;
    case SegmentFont::bodyMedium:
        result.setWeight(QFont::Medium);
        break;
    case SegmentFont::captionItalic:
        result.setPointSizeF(app::style::theme::caption().pointSizeF());
        result.setItalic(true);
        break;
    }
    return result;
}

QColor segmentColor(SegmentColor color, const QPalette &palette)
{
    using app::style::theme::Named;
    switch (color) {
    case SegmentColor::blue:
        return app::style::theme::named(Named::blue, palette);
    case SegmentColor::purple:
        return app::style::theme::named(Named::purple, palette);
    case SegmentColor::brown:
        return app::style::theme::named(Named::brown, palette);
    case SegmentColor::red:
        return app::style::theme::named(Named::red, palette);
    case SegmentColor::green:
        return app::style::theme::named(Named::green, palette);
    case SegmentColor::orange:
        return app::style::theme::named(Named::orange, palette);
    case SegmentColor::primary:
        return palette.color(QPalette::Text);
    case SegmentColor::secondary:
        return app::style::theme::secondaryText(palette);
    }
    return palette.color(QPalette::Text);
}

int lineHeightOf(const RowLine &line)
{
    int height = 0;
    for (const auto &segment : line.segments) {
        height = std::max(height, QFontMetrics(segmentFont(segment.font)).height());
    }
    return height > 0 ? height : QFontMetrics(segmentFont(SegmentFont::body)).height();
}

int lineWidthOf(const RowLine &line)
{
    int width = 0;
    for (std::size_t i = 0; i < line.segments.size(); ++i) {
        width += QFontMetrics(segmentFont(line.segments[i].font))
                     .horizontalAdvance(qText(line.segments[i].text));
        if (i > 0) {
            width += line.segmentSpacing;
        }
    }
    return width;
}

// The first line is centred on the disclosure column's height.
int firstLineOffset(const RowContent &content)
{
    return content.empty()
               ? 0
               : std::max(0, (XMLNodeDelegate::lineHeight - lineHeightOf(content[0])) / 2);
}

void paintChevron(QPainter &painter, const QRectF &rect, bool down, const QColor &color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    const QPointF c = rect.center();
    const qreal s = 3.0; // half the chevron's extent: 10 pt symbol size
    QPainterPath path;
    if (down) {
        path.moveTo(c.x() - s, c.y() - s / 2);
        path.lineTo(c.x(), c.y() + s / 2);
        path.lineTo(c.x() + s, c.y() - s / 2);
    } else {
        path.moveTo(c.x() - s / 2, c.y() - s);
        path.lineTo(c.x() + s / 2, c.y());
        path.lineTo(c.x() - s / 2, c.y() + s);
    }
    painter.drawPath(path);
    painter.restore();
}

} // namespace

XMLTreeModel::XMLTreeModel(QObject *parent) : QAbstractListModel(parent) {}

XMLTreeModel::~XMLTreeModel() = default;

std::unique_ptr<XMLTreeRows> XMLTreeModel::setRows(std::unique_ptr<XMLTreeRows> rows)
{
    beginResetModel();
    std::swap(m_rows, rows);
    endResetModel();
    return rows;
}

const XMLNode *XMLTreeModel::nodeAt(const QModelIndex &index) const
{
    if (!m_rows || !index.isValid() || index.row() >= rowCount()) {
        return nullptr;
    }
    return m_rows->rows()[static_cast<std::size_t>(index.row())].node;
}

void XMLTreeModel::expand(int row)
{
    if (!m_rows || row < 0 || row >= rowCount()) {
        return;
    }
    const auto position = static_cast<std::size_t>(row);
    if (m_rows->isExpanded(*m_rows->rows()[position].node)) {
        return;
    }
    std::vector<TreeRow> revealed = m_rows->rowsRevealedByExpanding(position);
    const int count = static_cast<int>(revealed.size());
    if (count > 0) {
        beginInsertRows({}, row + 1, row + count);
    }
    m_rows->expand(position, std::move(revealed));
    if (count > 0) {
        endInsertRows();
    }
    emit dataChanged(index(row), index(row));
}

void XMLTreeModel::collapse(int row)
{
    if (!m_rows || row < 0 || row >= rowCount()) {
        return;
    }
    const auto position = static_cast<std::size_t>(row);
    if (!m_rows->isExpanded(*m_rows->rows()[position].node)) {
        return;
    }
    const int count = static_cast<int>(m_rows->rowsHiddenByCollapsing(position));
    if (count > 0) {
        beginRemoveRows({}, row + 1, row + count);
    }
    m_rows->collapse(position);
    if (count > 0) {
        endRemoveRows();
    }
    emit dataChanged(index(row), index(row));
}

void XMLTreeModel::setExpanding(int row, bool expanding)
{
    if (!m_rows || row < 0 || row >= rowCount()) {
        return;
    }
    m_rows->setExpanding(*m_rows->rows()[static_cast<std::size_t>(row)].node, expanding);
    emit dataChanged(index(row), index(row));
}

int XMLTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_rows) {
        return 0;
    }
    return static_cast<int>(m_rows->rows().size());
}

QVariant XMLTreeModel::data(const QModelIndex &index, int role) const
{
    const XMLNode *node = nodeAt(index);
    if (!node) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        QStringList lines;
        for (const auto &line : rowContent(*node)) {
            QString text;
            for (const auto &segment : line.segments) {
                text += qText(segment.text);
            }
            lines << text;
        }
        return lines.join(QLatin1Char('\n'));
    }
    case DepthRole:
        return m_rows->rows()[static_cast<std::size_t>(index.row())].depth;
    case HasContentRole:
        return hasContent(*node);
    case ExpandedRole:
        return m_rows->isExpanded(*node);
    case ExpandingRole:
        return m_rows->isExpanding(*node);
    default:
        return {};
    }
}

XMLNodeDelegate::XMLNodeDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QRect XMLNodeDelegate::controlRect(const QRect &rowRect, int depth)
{
    return QRect(rowRect.x() + padding + depth * indentSize, rowRect.y(), controlWidth, lineHeight);
}

void XMLNodeDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const auto *model = qobject_cast<const XMLTreeModel *>(index.model());
    const XMLNode *node = model ? model->nodeAt(index) : nullptr;
    if (!node) {
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, widget);

    const int depth = index.data(XMLTreeModel::DepthRole).toInt();
    const QRect control = controlRect(option.rect, depth);
    const QColor secondary = app::style::theme::secondaryText(option.palette);
    if (index.data(XMLTreeModel::HasContentRole).toBool()) {
        if (index.data(XMLTreeModel::ExpandingRole).toBool()) {
            const QRectF frame(control.x(), control.center().y() - 6, 12, 12);
            Spinner::paintArc(*painter, frame, m_spinnerPhase, secondary);
        } else {
            paintChevron(*painter, control, index.data(XMLTreeModel::ExpandedRole).toBool(),
                         secondary);
        }
    }

    const RowContent content = rowContent(*node);
    int y = option.rect.y() + firstLineOffset(content);
    const int left = control.right() + 1 + controlGap;
    painter->save();
    painter->setClipRect(option.rect);
    for (const auto &line : content) {
        y += line.spacingBefore;
        const int height = lineHeightOf(line);
        int x = left;
        for (const auto &segment : line.segments) {
            const QFont font = segmentFont(segment.font);
            const QString text = qText(segment.text);
            painter->setFont(font);
            painter->setPen(segmentColor(segment.color, option.palette));
            const QFontMetrics metrics(font);
            painter->drawText(QPoint(x, y + (height - metrics.height()) / 2 + metrics.ascent()),
                              text);
            x += metrics.horizontalAdvance(text) + line.segmentSpacing;
        }
        y += height;
    }
    painter->restore();
}

QSize XMLNodeDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const auto *model = qobject_cast<const XMLTreeModel *>(index.model());
    const XMLNode *node = model ? model->nodeAt(index) : nullptr;
    if (!node) {
        return {};
    }
    const auto cached = m_sizes.constFind(node);
    if (cached != m_sizes.constEnd()) {
        return *cached;
    }
    const RowContent content = rowContent(*node);
    int height = firstLineOffset(content);
    int width = 0;
    for (const auto &line : content) {
        height += line.spacingBefore + lineHeightOf(line);
        width = std::max(width, lineWidthOf(line));
    }
    const int depth = index.data(XMLTreeModel::DepthRole).toInt();
    // Rows stand 2 points apart.
    const QSize size(padding + depth * indentSize + controlWidth + controlGap + width + padding,
                     std::max(height, lineHeight) + 2);
    m_sizes.insert(node, size);
    return size;
}

} // namespace vellora::xmlview::views
