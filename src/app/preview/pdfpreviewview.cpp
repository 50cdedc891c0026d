// SPDX-License-Identifier: MIT
#include "pdfpreviewview.h"

#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "noteview.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vellora::app::preview {

using style::localized;
using style::symbolIcon;

namespace {

constexpr qreal zoomStep = 1.25;
constexpr qreal minimumZoom = 0.1;
constexpr qreal maximumZoom = 8.0;

} // namespace

qreal zoomedIn(qreal factor)
{
    return std::clamp(factor * zoomStep, minimumZoom, maximumZoom);
}

qreal zoomedOut(qreal factor)
{
    return std::clamp(factor / zoomStep, minimumZoom, maximumZoom);
}

qreal fitToWidthFactor(QSizeF pagePoints, int viewportWidth, QMargins margins, qreal dotsPerInch)
{
    const qreal pageWidth = pagePoints.width() * dotsPerInch / 72.0;
    if (pageWidth <= 0) {
        return 1.0;
    }
    const int available = viewportWidth - margins.left() - margins.right();
    return std::max(qreal(available) / pageWidth, minimumZoom);
}

PDFPreviewView::PDFPreviewView(const QByteArray &data, QWidget *parent)
    : QWidget(parent), m_data(data)
{
    setObjectName(QStringLiteral("pdfPreview"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("pdfToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pageCount = new QLabel(m_toolBar);
    m_pageCount->setObjectName(QStringLiteral("pageCount"));
    m_pageCount->setForegroundRole(QPalette::PlaceholderText);
    m_pageCount->setContentsMargins(8, 0, 8, 0);
    m_toolBar->addWidget(m_pageCount);
    auto *spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);

    const auto addZoom = [this](const char *symbol, const char *key, const QKeySequence &keys) {
        QAction *action =
            m_toolBar->addAction(symbolIcon(QString::fromLatin1(symbol)), localized(key));
        action->setToolTip(action->text() + QStringLiteral(" (") +
                           keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
        action->setShortcut(keys);
        // The window has one preview; its zoom keys work wherever the focus is.
        action->setShortcutContext(Qt::WindowShortcut);
        return action;
    };
    m_zoomOut =
        addZoom("minus.magnifyingglass", QT_TRANSLATE_NOOP("Localizable", "preview.zoom_out"),
                QKeySequence::ZoomOut);
    m_zoomOut->setObjectName(QStringLiteral("zoomOutAction"));
    m_fitWidth =
        addZoom("arrow.left.and.right", QT_TRANSLATE_NOOP("Localizable", "preview.fit_width"),
                QKeySequence(Qt::CTRL | Qt::Key_0));
    m_fitWidth->setObjectName(QStringLiteral("fitWidthAction"));
    m_zoomIn = addZoom("plus.magnifyingglass", QT_TRANSLATE_NOOP("Localizable", "preview.zoom_in"),
                       QKeySequence::ZoomIn);
    m_zoomIn->setObjectName(QStringLiteral("zoomInAction"));
    connect(m_zoomIn, &QAction::triggered, this, &PDFPreviewView::zoomIn);
    connect(m_zoomOut, &QAction::triggered, this, &PDFPreviewView::zoomOut);
    connect(m_fitWidth, &QAction::triggered, this, &PDFPreviewView::fitToWidth);
    layout->addWidget(m_toolBar);

    m_view = new QPdfView(this);
    m_view->setObjectName(QStringLiteral("pdfView"));
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_view->addActions({m_zoomIn, m_zoomOut, m_fitWidth});
    layout->addWidget(m_view, 1);

    m_buffer = new QBuffer(&m_data, this);
    m_buffer->open(QIODevice::ReadOnly);
    m_document = new QPdfDocument(this);
    connect(m_document, &QPdfDocument::statusChanged, this, &PDFPreviewView::documentStatusChanged);
    m_document->load(m_buffer);
    documentStatusChanged();
}

PDFPreviewView::~PDFPreviewView()
{
    // The view and the document go before the buffer they read.
    m_view->setDocument(nullptr);
    delete m_document;
    m_document = nullptr;
}

bool PDFPreviewView::isReadable() const
{
    return m_document->status() == QPdfDocument::Status::Ready && m_document->pageCount() > 0;
}

int PDFPreviewView::pageCount() const
{
    return isReadable() ? m_document->pageCount() : 0;
}

void PDFPreviewView::documentStatusChanged()
{
    const QPdfDocument::Status status = m_document->status();
    if (status == QPdfDocument::Status::Loading || status == QPdfDocument::Status::Null ||
        status == QPdfDocument::Status::Unloading) {
        return;
    }
    if (isReadable()) {
        if (m_view->document() != m_document) {
            m_view->setDocument(m_document);
        }
        m_pageCount->setText(QCoreApplication::translate("Localizable", "preview.page_count",
                                                         nullptr, m_document->pageCount()));
        return;
    }
    if (m_unreadable) {
        return;
    }
    // Bytes that are not a PDF, or a damaged or locked one: say so, keep the strip for the
    // other actions.
    m_view->setDocument(nullptr);
    m_view->hide();
    for (QAction *action : {m_zoomIn, m_zoomOut, m_fitWidth}) {
        action->setVisible(false);
        action->setEnabled(false);
    }
    m_pageCount->clear();
    m_unreadable = new NoteView(
        QStringLiteral("doc"),
        localized(QT_TRANSLATE_NOOP("Localizable", "preview.pdf_unreadable")),
        localized(QT_TRANSLATE_NOOP("Localizable", "preview.pdf_unreadable_message")), this);
    m_unreadable->setObjectName(QStringLiteral("pdfUnreadable"));
    layout()->addWidget(m_unreadable);
    m_unreadable->show();
}

qreal PDFPreviewView::effectiveZoomFactor() const
{
    if (m_view->zoomMode() != QPdfView::ZoomMode::FitToWidth || !isReadable()) {
        return m_view->zoomFactor();
    }
    const int page = m_view->pageNavigator() ? m_view->pageNavigator()->currentPage() : 0;
    return fitToWidthFactor(m_document->pagePointSize(page), m_view->viewport()->width(),
                            m_view->documentMargins(), m_view->logicalDpiX());
}

void PDFPreviewView::setCustomZoom(qreal factor)
{
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(factor);
}

void PDFPreviewView::zoomIn()
{
    if (isReadable()) {
        setCustomZoom(zoomedIn(effectiveZoomFactor()));
    }
}

void PDFPreviewView::zoomOut()
{
    if (isReadable()) {
        setCustomZoom(zoomedOut(effectiveZoomFactor()));
    }
}

void PDFPreviewView::fitToWidth()
{
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
}

} // namespace vellora::app::preview
