// SPDX-License-Identifier: MIT
// The rows of the XML tree on show, as a list model, and the delegate that paints them.
#pragma once

#include "xmlview/treerows.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStyledItemDelegate>

#include <memory>

namespace vellora::xmlview::views {

// One row per node on show, in tree order; expanding and collapsing insert and remove the
// rows below a node. Holds no rows until a tree is set.
class XMLTreeModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XMLTreeModel)

public:
    enum Role
    {
        DepthRole = Qt::UserRole + 1, // int
        HasContentRole,               // bool: the row has a disclosure control
        ExpandedRole,                 // bool: the node's id is expanded
        ExpandingRole,                // bool: an expansion is pending
    };

    explicit XMLTreeModel(QObject *parent = nullptr);
    ~XMLTreeModel() override;

    // Replaces the rows; nullptr empties the model. Returns the previous rows, so the caller
    // can release a large tree where it likes.
    std::unique_ptr<XMLTreeRows> setRows(std::unique_ptr<XMLTreeRows> rows);
    const XMLTreeRows *rows() const { return m_rows.get(); }

    const XMLNode *nodeAt(const QModelIndex &index) const;

    void expand(int row);
    void collapse(int row);
    void setExpanding(int row, bool expanding);

    int rowCount(const QModelIndex &parent = {}) const override;
    // Qt::DisplayRole gives the row's text as plain lines, for accessibility and tests.
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::unique_ptr<XMLTreeRows> m_rows;
};

// Paints a row: the indentation, the disclosure chevron (or a spinner while an expansion is
// pending, or a blank), and the node's coloured lines.
class XMLNodeDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(XMLNodeDelegate)

public:
    static constexpr int indentSize = 20;
    static constexpr int lineHeight = 22;
    static constexpr int controlWidth = 12;
    static constexpr int controlGap = 4;
    static constexpr int padding = 4;

    explicit XMLNodeDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The disclosure control's area within a row's rectangle.
    static QRect controlRect(const QRect &rowRect, int depth);

    // The spinner's phase, advanced by the view while an expansion is pending.
    void setSpinnerPhase(int phase) { m_spinnerPhase = phase; }
    // Forgets the cached row sizes (new tree, new font).
    void clearSizeCache() { m_sizes.clear(); }

private:
    int m_spinnerPhase = 0;
    mutable QHash<const void *, QSize> m_sizes;
};

} // namespace vellora::xmlview::views
