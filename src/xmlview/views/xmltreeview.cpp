// SPDX-License-Identifier: MIT
#include "xmltreeview.h"

#include "app/style/localization.h"
#include "app/style/theme.h"
#include "spinner.h"
#include "xmltreemodel.h"
#include "xmlview/xmltreeparser.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStackedWidget>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

namespace vellora::xmlview::views {

namespace {

QWidget *centredColumn(QWidget *parent, std::initializer_list<QWidget *> items, int spacing)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->setSpacing(spacing);
    layout->addStretch(1);
    for (QWidget *item : items) {
        // A wrapping label takes the full width, so its lines are measured at the width it
        // gets; everything else is centred at its own size.
        auto *label = qobject_cast<QLabel *>(item);
        layout->addWidget(item, 0, label && label->wordWrap() ? Qt::Alignment() : Qt::AlignHCenter);
    }
    layout->addStretch(1);
    return page;
}

// The error panel's warning sign: an orange triangle with an exclamation mark, 32 points.
// (The icon theme's dialog-warning is a speech bubble around a triangle, which loses its
// mark when drawn in one colour.)
class WarningSign final : public QWidget
{
public:
    explicit WarningSign(QWidget *parent) : QWidget(parent) { setFixedSize(32, 32); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor orange = app::style::theme::named(app::style::theme::Named::orange, palette());
        QPainterPath triangle;
        triangle.moveTo(16, 3);
        triangle.lineTo(30, 28);
        triangle.lineTo(2, 28);
        triangle.closeSubpath();
        painter.setPen(QPen(orange, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(triangle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(orange);
        painter.drawRoundedRect(QRectF(14.5, 10, 3, 10), 1.5, 1.5);
        painter.drawEllipse(QPointF(16, 23.5), 1.8, 1.8);
    }
};

QLabel *secondaryLabel(const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

XMLRowsView::XMLRowsView(QWidget *parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setIndentation(0);
    setHeaderHidden(true);
    setUniformRowHeights(false); // rows with attributes are taller; heights come lazily
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { emit toggleRequested(index.row()); });
}

void XMLRowsView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton) {
        const int depth = index.data(XMLTreeModel::DepthRole).toInt();
        if (XMLNodeDelegate::controlRect(visualRect(index), depth)
                .contains(event->position().toPoint())) {
            setCurrentIndex(index);
            emit toggleRequested(index.row());
            event->accept();
            return;
        }
    }
    QTreeView::mousePressEvent(event);
}

void XMLRowsView::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex index = currentIndex();
    if (index.isValid()) {
        const bool expanded = index.data(XMLTreeModel::ExpandedRole).toBool();
        const bool toggles = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                             event->key() == Qt::Key_Enter ||
                             (event->key() == Qt::Key_Right && !expanded) ||
                             (event->key() == Qt::Key_Left && expanded);
        if (toggles && index.data(XMLTreeModel::HasContentRole).toBool()) {
            emit toggleRequested(index.row());
            event->accept();
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

struct XMLTreeView::Outcome
{
    std::unique_ptr<XMLTreeRows> rows;
    QString error;
};

XMLTreeView::XMLTreeView(std::shared_ptr<const std::string> xmlContent, QWidget *parent)
    : QWidget(parent), m_xmlContent(std::move(xmlContent)), m_model(new XMLTreeModel(this)),
      m_delegate(new XMLNodeDelegate(this)), m_spinnerTimer(new QTimer(this))
{
    // Parses still running when the application quits finish before it goes: their results
    // are delivered through the application object.
    static const bool waitsAtQuit = [] {
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         QCoreApplication::instance(),
                         [] { QThreadPool::globalInstance()->waitForDone(); });
        return true;
    }();
    Q_UNUSED(waitsAtQuit);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Header bar: title, then a spinner or the node count.
    auto *header = new QWidget(this);
    header->setObjectName(QStringLiteral("treeHeader"));
    header->setAutoFillBackground(true);
    header->setBackgroundRole(QPalette::Window);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(12, 8, 12, 8);
    auto *title = new QLabel(
        app::style::localized(QT_TRANSLATE_NOOP("Localizable", "XML Tree View")), header);
    title->setObjectName(QStringLiteral("treeTitle"));
    title->setFont(app::style::theme::headline());
    headerLayout->addWidget(title);
    headerLayout->addStretch(1);
    m_headerSpinner = new Spinner(16, header);
    headerLayout->addWidget(m_headerSpinner);
    m_countLabel = secondaryLabel(QString(), app::style::theme::caption(), header);
    m_countLabel->setObjectName(QStringLiteral("nodeCount"));
    headerLayout->addWidget(m_countLabel);
    layout->addWidget(header);

    m_stack = new QStackedWidget(this);
    layout->addWidget(m_stack, 1);

    m_emptyPage = new QWidget(m_stack);
    m_stack->addWidget(m_emptyPage);

    m_loadingPage = centredColumn(
        m_stack,
        {new Spinner(32, m_stack),
         secondaryLabel(app::style::localized(QT_TRANSLATE_NOOP("Localizable", "Parsing XML...")),
                        app::style::theme::body(), m_stack)},
        12);
    m_stack->addWidget(m_loadingPage);

    auto *warning = new WarningSign(m_stack);
    warning->setObjectName(QStringLiteral("errorSymbol"));
    auto *errorTitle = new QLabel(
        app::style::localized(QT_TRANSLATE_NOOP("Localizable", "XML Parsing Error")), m_stack);
    QFont titleFont = app::style::theme::title2();
    titleFont.setWeight(QFont::Medium);
    errorTitle->setFont(titleFont);
    m_errorLabel = secondaryLabel(QString(), app::style::theme::body(), m_stack);
    m_errorLabel->setObjectName(QStringLiteral("errorMessage"));
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setAlignment(Qt::AlignHCenter);
    m_errorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_errorPage = centredColumn(m_stack, {warning, errorTitle, m_errorLabel}, 12);
    m_errorPage->layout()->setContentsMargins(20, 20, 20, 20);
    m_stack->addWidget(m_errorPage);

    m_rowsView = new XMLRowsView(m_stack);
    m_rowsView->setModel(m_model);
    m_rowsView->setItemDelegate(m_delegate);
    m_stack->addWidget(m_rowsView);
    connect(m_rowsView, &XMLRowsView::toggleRequested, this, &XMLTreeView::toggleExpansion);

    // While an expansion is pending its row shows a turning spinner.
    m_spinnerTimer->setInterval(50);
    connect(m_spinnerTimer, &QTimer::timeout, this, [this] {
        m_spinnerPhase = (m_spinnerPhase + 30) % 360;
        m_delegate->setSpinnerPhase(m_spinnerPhase);
        m_rowsView->viewport()->update();
    });

    refresh();
}

XMLTreeView::~XMLTreeView()
{
    releaseRows(m_model->setRows(nullptr));
}

void XMLTreeView::setXmlContent(std::shared_ptr<const std::string> xmlContent)
{
    if (xmlContent == m_xmlContent ||
        (xmlContent && m_xmlContent && *xmlContent == *m_xmlContent)) {
        return;
    }
    m_xmlContent = std::move(xmlContent);
    if (isVisible()) {
        loadXML();
    } else {
        // Parsed again when the view next appears.
        ++m_generation;
        m_loadInFlight = false;
        m_isLoading = true;
        m_errorMessage.reset();
        releaseRows(m_model->setRows(nullptr));
        refresh();
    }
}

const XMLTreeRows *XMLTreeView::rows() const
{
    return m_model->rows();
}

XMLTreeView::Content XMLTreeView::content() const
{
    if (m_errorMessage) {
        return Content::error;
    }
    if (m_model->rows()) {
        return Content::tree;
    }
    return m_isLoading ? Content::loading : Content::nothing;
}

QString XMLTreeView::nodeCountText() const
{
    if (m_isLoading || !m_model->rows()) {
        return {};
    }
    return app::style::localized(QT_TRANSLATE_NOOP("Localizable", "%1 nodes"))
        .arg(m_model->rows()->nodeCount());
}

void XMLTreeView::loadXML()
{
    const quint64 generation = ++m_generation;
    m_isLoading = true;
    m_loadInFlight = true;
    m_errorMessage.reset();
    m_delegate->clearSizeCache();
    releaseRows(m_model->setRows(nullptr));
    refresh();

    QPointer<XMLTreeView> self(this);
    std::shared_ptr<const std::string> text = m_xmlContent;
    QThreadPool::globalInstance()->start([self, generation, text] {
        auto outcome = std::make_shared<Outcome>();
        XMLTreeParser parser;
        XMLParseResult result = parser.parse(text ? *text : std::string());
        if (auto *node = std::get_if<XMLNode>(&result)) {
            // The rows of the default expansion are laid out here too, off the UI thread.
            outcome->rows =
                std::make_unique<XMLTreeRows>(std::make_shared<const XMLNode>(std::move(*node)));
        } else {
            outcome->error =
                QString::fromStdString(errorDescription(std::get<XMLParseError>(result)));
        }
        // The application object outlives every window; the view may not, so it is looked
        // up again on the UI thread.
        QCoreApplication *application = QCoreApplication::instance();
        if (!application) {
            return; // the program is ending
        }
        QMetaObject::invokeMethod(
            application,
            [self, generation, outcome]() mutable {
                if (self && self->m_generation == generation) {
                    self->finishLoad(std::move(*outcome));
                } else if (outcome->rows) {
                    // A stale tree is freed where its size does not hold up the UI.
                    QThreadPool::globalInstance()->start([stale = std::move(outcome)] {});
                }
            },
            Qt::QueuedConnection);
    });
}

void XMLTreeView::finishLoad(Outcome outcome)
{
    m_loadInFlight = false;
    m_isLoading = false;
    if (outcome.rows) {
        m_delegate->clearSizeCache();
        releaseRows(m_model->setRows(std::move(outcome.rows)));
    } else {
        m_errorMessage = outcome.error;
    }
    refresh();
    emit loadFinished();
}

void XMLTreeView::releaseRows(std::unique_ptr<XMLTreeRows> rows)
{
    if (rows && rows->nodeCount() > 10'000) {
        QThreadPool::globalInstance()->start(
            [stale = std::shared_ptr<XMLTreeRows>(std::move(rows))] {});
    }
}

void XMLTreeView::toggleExpansion(int row)
{
    const XMLTreeRows *rows = m_model->rows();
    if (!rows || row < 0 || static_cast<std::size_t>(row) >= rows->rows().size()) {
        return;
    }
    const auto position = static_cast<std::size_t>(row);
    const XMLNode *node = rows->rows()[position].node;
    switch (rows->toggleAction(position)) {
    case ToggleAction::none:
        return;
    case ToggleAction::toggleNow:
        if (rows->isExpanded(*node)) {
            m_model->collapse(row);
        } else {
            m_model->expand(row);
        }
        return;
    case ToggleAction::deferExpansion:
        break;
    }
    m_model->setExpanding(row, true);
    ++m_pendingExpansions;
    m_spinnerTimer->start();
    const quint64 generation = m_generation;
    QTimer::singleShot(expansionDelayMs, this, [this, node, generation] {
        if (--m_pendingExpansions == 0) {
            m_spinnerTimer->stop();
        }
        if (generation != m_generation || !m_model->rows()) {
            return; // the tree was replaced meanwhile
        }
        // Rows above may have opened or closed meanwhile: find the node again.
        if (const auto found = m_model->rows()->rowOf(*node)) {
            m_model->expand(static_cast<int>(*found));
            m_model->setExpanding(static_cast<int>(*found), false);
        }
    });
}

void XMLTreeView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_model->rows() && !m_loadInFlight) {
        loadXML();
    }
}

void XMLTreeView::refresh()
{
    m_headerSpinner->setVisible(m_isLoading);
    m_countLabel->setText(nodeCountText());
    m_countLabel->setVisible(!m_isLoading && m_model->rows());
    switch (content()) {
    case Content::nothing:
        m_stack->setCurrentWidget(m_emptyPage);
        break;
    case Content::loading:
        m_stack->setCurrentWidget(m_loadingPage);
        break;
    case Content::error:
        m_errorLabel->setText(*m_errorMessage);
        m_stack->setCurrentWidget(m_errorPage);
        break;
    case Content::tree:
        m_stack->setCurrentWidget(m_rowsView);
        break;
    }
}

} // namespace vellora::xmlview::views
