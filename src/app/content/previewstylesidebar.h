// SPDX-License-Identifier: MIT
// The sidebar of a document window: the document's attachments, one row each.
#pragma once

#include "app/content/attachmentrow.h"
#include "model/ublattachment.h"
#include "app/content/sidebaritem.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <QWidget>

#include <optional>
#include <vector>

class QListView;

namespace vellora::app::content {

// The attachments as list rows, in document order. Each row is tagged with the sidebar
// item of its attachment.
class AttachmentListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AttachmentListModel)

public:
    enum Role
    {
        DetailRole = Qt::UserRole + 1, // QStringList: the detail line's texts
        ItemIdRole,                    // QString: the row's SidebarItem id
    };

    explicit AttachmentListModel(std::vector<model::UBLAttachment> attachments,
                                 QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The item a row stands for; nullopt for an invalid index.
    std::optional<SidebarItem> item(const QModelIndex &index) const;
    // The row of an attachment item, an invalid index for anything else.
    QModelIndex indexOf(const std::optional<SidebarItem> &item) const;

    const PreviewStyleAttachmentRow &row(int row) const { return m_rows.at(row); }

private:
    std::vector<model::UBLAttachment> m_attachments;
    std::vector<PreviewStyleAttachmentRow> m_rows;
};

// Paints a row: the name on one line, under it the type label, bullet and size in the
// secondary colour; the selection as a rounded highlight.
class AttachmentRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AttachmentRowDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// The sidebar column: the list of attachments with single selection, or, for a document
// without any, a centred note. Drawn on the control background colour.
class PreviewStyleSidebar : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreviewStyleSidebar)

public:
    explicit PreviewStyleSidebar(std::vector<model::UBLAttachment> attachments,
                                 QWidget *parent = nullptr);

    // The list; nullptr when the document has no attachments.
    QListView *listView() const { return m_list; }
    AttachmentListModel *listModel() const { return m_model; }

    // Shows `selection` in the list without emitting selectionChosen.
    void setSelection(const std::optional<SidebarItem> &selection);

signals:
    // The user chose a row, or cleared the selection (nullopt).
    void selectionChosen(const std::optional<vellora::app::content::SidebarItem> &selection);

private:
    void listSelectionChanged();

    QListView *m_list = nullptr;
    AttachmentListModel *m_model = nullptr;
    bool m_settingSelection = false;
};

} // namespace vellora::app::content
