// SPDX-License-Identifier: MIT
#include "inspectorpanel.h"

#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "app/style/theme.h"
#include "inspectorblocks.h"
#include "inspectordocumentview.h"
#include "inspectorlinesview.h"
#include "inspectorpartyview.h"
#include "inspectortotalsview.h"
#include "sepa/views/inspectorsepaview.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vellora::inspector::views {

namespace theme = app::style::theme;

namespace {

// The keys the core's tab and row functions choose (the core cannot use Qt's macro), marked
// here so that lupdate keeps them in the text tables. The inspector's fixed phrases ("Totals",
// "Tax Amount", …) are shown as written and are not in the tables.
[[maybe_unused]] constexpr const char *chosenInTheCore[] = {
    QT_TRANSLATE_NOOP("Localizable", "document.document"),
    QT_TRANSLATE_NOOP("Localizable", "party.supplier"),
    QT_TRANSLATE_NOOP("Localizable", "party.customer"),
    QT_TRANSLATE_NOOP("Localizable", "document.document_type"),
    QT_TRANSLATE_NOOP("Localizable", "document.id"),
    QT_TRANSLATE_NOOP("Localizable", "document.issue_date"),
    QT_TRANSLATE_NOOP("Localizable", "document.currency"),
    QT_TRANSLATE_NOOP("Localizable", "document.ubl_version"),
    QT_TRANSLATE_NOOP("Localizable", "party.name"),
    QT_TRANSLATE_NOOP("Localizable", "party.registration_name"),
    QT_TRANSLATE_NOOP("Localizable", "party.company_id"),
    QT_TRANSLATE_NOOP("Localizable", "party.vat_id"),
    QT_TRANSLATE_NOOP("Localizable", "party.phone"),
    QT_TRANSLATE_NOOP("Localizable", "party.email"),
    QT_TRANSLATE_NOOP("Localizable", "financial.line_extension_amount"),
    QT_TRANSLATE_NOOP("Localizable", "financial.tax_exclusive_amount"),
    QT_TRANSLATE_NOOP("Localizable", "financial.tax_inclusive_amount"),
    QT_TRANSLATE_NOOP("Localizable", "financial.allowance_total_amount"),
    QT_TRANSLATE_NOOP("Localizable", "financial.charge_total_amount"),
    QT_TRANSLATE_NOOP("Localizable", "financial.prepaid_amount"),
    QT_TRANSLATE_NOOP("Localizable", "financial.rounding_amount"),
    QT_TRANSLATE_NOOP("Localizable", "financial.payable_amount"),
    QT_TRANSLATE_NOOP("Localizable", "sepa.beneficiary"),
    QT_TRANSLATE_NOOP("Localizable", "sepa.iban"),
    QT_TRANSLATE_NOOP("Localizable", "sepa.bic"),
    QT_TRANSLATE_NOOP("Localizable", "sepa.amount"),
    QT_TRANSLATE_NOOP("Localizable", "sepa.payment_reference"),
};

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

InspectorTabButton::InspectorTabButton(InspectorTab tab, QWidget *parent)
    : QAbstractButton(parent), m_tab(tab)
{
    setObjectName(fromView(rawValue(tab)));
    setText(inspectorText(tabTitle(tab)));
    setToolTip(text());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void InspectorTabButton::setSelected(bool selected)
{
    if (m_selected != selected) {
        m_selected = selected;
        update();
    }
}

QSize InspectorTabButton::sizeHint() const
{
    return {QFontMetrics(theme::caption2()).horizontalAdvance(text()) + 4, buttonHeight};
}

QSize InspectorTabButton::minimumSizeHint() const
{
    return {16, buttonHeight};
}

void InspectorTabButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0, 0, 0, -1);
    if (m_selected) {
        QPainterPath shadow;
        shadow.addRoundedRect(face.translated(0, 1), 6, 6);
        painter.fillPath(shadow, QColor(0, 0, 0, 26));
        QPainterPath path;
        path.addRoundedRect(face, 6, 6);
        painter.fillPath(path, theme::control(palette()));
    }
    const QColor colour =
        m_selected ? palette().color(QPalette::WindowText) : theme::secondaryText(palette());

    // Icon over title, centred, 4 apart.
    const QFont titleFont = theme::caption2();
    const QFontMetrics metrics(titleFont);
    constexpr int iconSide = 14;
    const int contentHeight = iconSide + 4 + metrics.height();
    const int top = (height() - contentHeight) / 2;

    QPixmap icon = app::style::symbolIcon(fromView(tabIcon(m_tab)))
                       .pixmap(QSize(iconSide, iconSide), devicePixelRatioF());
    {
        QPainter tint(&icon);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(QRect(QPoint(0, 0), icon.size()), colour);
    }
    painter.drawPixmap(QRect((width() - iconSide) / 2, top, iconSide, iconSide), icon);

    painter.setFont(titleFont);
    painter.setPen(colour);
    const QRect titleRect(0, top + iconSide + 4, width(), metrics.height());
    painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignVCenter,
                     metrics.elidedText(text(), Qt::ElideRight, width()));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
}

InspectorTabBar::InspectorTabBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("inspectorTabBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(0);
    for (std::size_t i = 0; i < allInspectorTabs.size(); ++i) {
        const InspectorTab tab = allInspectorTabs[i];
        auto *button = new InspectorTabButton(tab, this);
        m_buttons[i] = button;
        layout->addWidget(button, 1);
        connect(button, &QAbstractButton::clicked, this, [this, tab] { emit tabClicked(tab); });
    }
}

InspectorTabButton *InspectorTabBar::button(InspectorTab tab) const
{
    return m_buttons[static_cast<std::size_t>(tab)];
}

void InspectorTabBar::setSelectedTab(InspectorTab tab)
{
    for (InspectorTabButton *button : m_buttons) {
        button->setSelected(button->tab() == tab);
    }
}

void InspectorTabBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor track = theme::separator(palette());
    track.setAlphaF(0.3);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 8, 8);
    painter.fillPath(path, track);
}

InspectorPanel::InspectorPanel(model::UBLDocumentInfo ublInfo, QWidget *parent)
    : QWidget(parent), m_ublInfo(std::move(ublInfo)), m_tabBar(new InspectorTabBar(this)),
      m_scroll(new QScrollArea(this))
{
    setObjectName(QStringLiteral("inspectorPanel"));
    auto *layout = new QVBoxLayout(this);
    // One pixel at the leading edge for the separator line.
    layout->setContentsMargins(1, 0, 0, 0);
    layout->setSpacing(0);
    auto *barFrame = new QHBoxLayout;
    barFrame->setContentsMargins(12, 8, 12, 8);
    barFrame->addWidget(m_tabBar);
    layout->addLayout(barFrame);
    layout->addWidget(new Divider(0, this));

    m_scroll->setObjectName(QStringLiteral("inspectorContent"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->viewport()->setAutoFillBackground(false);
    layout->addWidget(m_scroll, 1);

    connect(m_tabBar, &InspectorTabBar::tabClicked, this, &InspectorPanel::setSelectedTab);
    m_tabBar->setSelectedTab(m_selectedTab);
    m_scroll->setWidget(createContent(m_selectedTab));
}

void InspectorPanel::setSelectedTab(InspectorTab tab)
{
    if (tab == m_selectedTab) {
        return;
    }
    m_selectedTab = tab;
    m_tabBar->setSelectedTab(tab);
    // setWidget deletes the previous content: the tab views keep no state of their own.
    m_scroll->setWidget(createContent(tab));
    emit selectedTabChanged(tab);
}

QWidget *InspectorPanel::content() const
{
    return m_scroll->widget();
}

QWidget *InspectorPanel::createContent(InspectorTab tab)
{
    const TabContent content = tabContent(tab, m_ublInfo);
    QWidget *view = nullptr;
    switch (content.kind) {
    case TabContent::Kind::documentView:
        view = new InspectorDocumentView(m_ublInfo);
        break;
    case TabContent::Kind::supplierView:
        view = new InspectorPartyView(*m_ublInfo.supplierParty);
        break;
    case TabContent::Kind::customerView:
        view = new InspectorPartyView(*m_ublInfo.customerParty);
        break;
    case TabContent::Kind::totalsView:
        view = new InspectorTotalsView(*m_ublInfo.monetaryTotal, m_ublInfo.taxTotal,
                                       m_ublInfo.currency);
        break;
    case TabContent::Kind::linesView:
        // The list scrolls itself, so only the cards on screen are ever drawn.
        view = new InspectorLinesView(m_ublInfo);
        break;
    case TabContent::Kind::sepaView:
        view = new sepa::views::InspectorSEPAView(
            *content.paymentInfo, sepa::SEPAQRCodeService::paymentReference(m_ublInfo));
        break;
    case TabContent::Kind::emptyState: {
        const EmptyState &empty = *content.emptyState;
        std::optional<QString> message;
        if (empty.message) {
            message = inspectorText(*empty.message);
        }
        std::optional<QString> detail;
        if (content.noPaymentInfoReason) {
            detail = sepa::views::noPaymentInfoReasonText(*content.noPaymentInfoReason);
        }
        auto *holder = new QWidget;
        auto *holderLayout = new QVBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        holderLayout->addWidget(new InspectorEmptyStateView(
            QString::fromStdString(empty.icon), inspectorText(empty.title), message,
            detail, holder));
        holderLayout->addStretch(1);
        view = holder;
        break;
    }
    }
    view->setAutoFillBackground(false);
    return view;
}

void InspectorPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), theme::controlBackground(palette()));
    painter.fillRect(QRect(0, 0, 1, height()), theme::separator(palette()));
}

} // namespace vellora::inspector::views
