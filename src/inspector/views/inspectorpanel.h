// SPDX-License-Identifier: MIT
// The inspector: a bar of six tab buttons over the content of the selected tab.
#pragma once

#include "inspector/inspectortab.h"
#include "model/ubldocumentinfo.h"

#include <QAbstractButton>
#include <QWidget>

#include <array>

class QScrollArea;

namespace vellora::inspector::views {

// One button of the tab bar: the tab's icon over its title, 44 high. The selected one stands
// on a raised rounded face in the control colour; the others are flat with dimmed text.
class InspectorTabButton final : public QAbstractButton
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorTabButton)

public:
    static constexpr int buttonHeight = 44;

    explicit InspectorTabButton(InspectorTab tab, QWidget *parent = nullptr);

    InspectorTab tab() const { return m_tab; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    InspectorTab m_tab;
    bool m_selected = false;
};

// The row of buttons on its rounded, faintly tinted track.
class InspectorTabBar final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorTabBar)

public:
    explicit InspectorTabBar(QWidget *parent = nullptr);

    InspectorTabButton *button(InspectorTab tab) const;
    void setSelectedTab(InspectorTab tab);

signals:
    void tabClicked(vellora::inspector::InspectorTab tab);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<InspectorTabButton *, allInspectorTabs.size()> m_buttons{};
};

class InspectorPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InspectorPanel)

public:
    using InspectorTab = inspector::InspectorTab;

    // A new panel always starts on the document tab.
    explicit InspectorPanel(model::UBLDocumentInfo ublInfo, QWidget *parent = nullptr);

    InspectorTab selectedTab() const { return m_selectedTab; }
    // Shows the tab's content, built anew; selecting the selected tab changes nothing.
    void setSelectedTab(InspectorTab tab);

    InspectorTabBar *tabBar() const { return m_tabBar; }
    // The widget filling the content area for the selected tab.
    QWidget *content() const;
    QScrollArea *scrollArea() const { return m_scroll; }

signals:
    void selectedTabChanged(vellora::inspector::InspectorTab tab);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *createContent(InspectorTab tab);

    model::UBLDocumentInfo m_ublInfo;
    InspectorTab m_selectedTab = InspectorTab::document;
    InspectorTabBar *m_tabBar;
    QScrollArea *m_scroll;
};

} // namespace vellora::inspector::views
