// SPDX-License-Identifier: MIT
// The lines tab: one card per invoice or credit-note line, drawn by a delegate so that ten
// thousand lines cost no more than the few on screen.
#pragma once

#include "inspector/tabrows.h"
#include "model/ubldocumentinfo.h"

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

#include <optional>
#include <vector>

namespace vellora::inspector::views {

// The caption ("Invoice Lines" or "Credit Note Lines", looked up) in row 0, then one row per
// line in document order. The texts of a card are formatted when first asked for, so only the
// cards that are drawn or measured are ever formatted.
class DocumentLinesModel final : public QAbstractListModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentLinesModel)

public:
    enum Role
    {
        IsCaptionRole = Qt::UserRole + 1, // bool
        ItemNameRole,                     // QString; null without an item name
        QuantityTextRole,                 // QString "2.5 C62"; null without a quantity
        AmountTextRole,                   // QString "€25.00"; null without an amount
    };

    DocumentLinesModel(LinesContent content, std::string locale, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // Qt::DisplayRole gives the caption, or the item name of a card.
    QVariant data(const QModelIndex &index, int role) const override;

    const LinesContent &content() const { return m_content; }

private:
    struct CardTexts
    {
        QString quantity;
        QString amount;
    };
    const CardTexts &cardTexts(std::size_t line) const;

    LinesContent m_content;
    std::string m_locale; // ICU locale id
    mutable std::vector<std::optional<CardTexts>> m_texts;
};

// Paints the caption and the cards: a rounded card 12 pt in from the sides, the item name in
// at most two lines (an ellipsis ends a longer one), below it the quantity with its unit code
// and, at the trailing edge, the amount. Cards stand 8 pt apart.
class LineCardDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineCardDelegate)

public:
    static constexpr int sideInset = 12; // card to the edge of the tab
    static constexpr int cardPaddingX = 10;
    static constexpr int cardPaddingY = 8;
    static constexpr int cardSpacing = 8; // between cards and after the last one
    static constexpr int cornerRadius = 6;
    static constexpr int maxNameLines = 2;

    explicit LineCardDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The name as drawn in a card whose text is `width` wide: at most two lines, the second
    // one ending in an ellipsis when the name goes on.
    static QStringList nameLines(const QString &name, const QFont &font, int width);

private:
    static int textWidth(const QStyleOptionViewItem &option);
};

class InspectorLinesView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorLinesView)

public:
    explicit InspectorLinesView(const model::UBLDocumentInfo &ublInfo, QWidget *parent = nullptr);

    // nullptr when the document has no lines (the empty state is shown instead).
    QListView *listView() const { return m_list; }
    DocumentLinesModel *linesModel() const { return m_model; }

private:
    QListView *m_list = nullptr;
    DocumentLinesModel *m_model = nullptr;
};

} // namespace vellora::inspector::views
