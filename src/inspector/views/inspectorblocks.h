// SPDX-License-Identifier: MIT
// The small pieces every inspector tab is built from: a labelled value, a section caption,
// the empty state, the common content frame and a divider line.
#pragma once

#include <QLabel>
#include <QWidget>

#include <optional>
#include <string_view>

class QBoxLayout;

namespace vellora::inspector::views {

// A label, title or caption the core chose: a key ("document.id") is looked up in the text
// table; a fixed phrase of the inspector ("Totals", "Tax Amount", "No line items") is shown as
// written, in every language.
QString inspectorText(std::string_view text);

// The label's look, also used by section captions and the payable amount's label: the text
// upper-cased (Unicode full mapping in the root locale, so ß becomes SS), 11 pt semibold, in
// the secondary text colour.
QString captionText(const QString &text);
void styleAsCaption(QLabel &label);

// One labelled value: the label above, upper-cased; the value below as given, 12 pt, wrapping,
// selectable and copyable with mouse and keyboard.
class InfoRow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InfoRow)

public:
    InfoRow(const QString &label, const QString &value, QWidget *parent = nullptr);

    QLabel *labelView() const { return m_label; }
    QLabel *valueView() const { return m_value; }

private:
    QLabel *m_label;
    QLabel *m_value;
};

// A caption above a group of rows, with the look of an InfoRow label and no padding.
class InspectorSectionHeader final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorSectionHeader)

public:
    explicit InspectorSectionHeader(const QString &title, QWidget *parent = nullptr);
};

// Shown instead of a tab's content when the model holds nothing for it: the symbol at 32 pt,
// the title, and only when given the message (and a further detail line), centred, with
// 40 pt above and below.
class InspectorEmptyStateView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorEmptyStateView)

public:
    InspectorEmptyStateView(const QString &icon, const QString &title,
                            const std::optional<QString> &message = std::nullopt,
                            const std::optional<QString> &detail = std::nullopt,
                            QWidget *parent = nullptr);

    QString icon() const { return m_icon; }
    QLabel *titleView() const { return m_title; }
    QLabel *messageView() const { return m_message; } // nullptr without a message
    QLabel *detailView() const { return m_detail; }   // nullptr without a detail

private:
    QString m_icon;
    QLabel *m_title;
    QLabel *m_message = nullptr;
    QLabel *m_detail = nullptr;
};

// The frame the document, party and totals tabs give their content: the full width, the
// leading edge, 8 pt padding on all four sides, content at the top.
struct InspectorContentStyle
{
    static constexpr int padding = 8;
    static void apply(QBoxLayout &layout);
};

// A horizontal line in the separator colour, with `verticalPadding` above and below it.
class Divider final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Divider)

public:
    explicit Divider(int verticalPadding = 0, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_padding;
};

} // namespace vellora::inspector::views
