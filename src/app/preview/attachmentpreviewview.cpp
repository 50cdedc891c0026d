// SPDX-License-Identifier: MIT
#include "attachmentpreviewview.h"

#include "app/style/localization.h"
#include "app/style/symbols.h"
#include "externalopen.h"
#include "imagepreviewview.h"
#include "noteview.h"
#include "pdfpreviewview.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QShowEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace vellora::app::preview {

using style::localized;
using style::symbolIcon;

namespace {

// The loading indicator. It reports its first paint, after which the decoding may block
// the UI thread: the person then sees that something is happening.
class LoadingView final : public QWidget
{
public:
    LoadingView(QWidget *parent, std::function<void()> firstPainted)
        : QWidget(parent), m_firstPainted(std::move(firstPainted))
    {
        setObjectName(QStringLiteral("previewLoading"));
        auto *layout = new QVBoxLayout(this);
        layout->setSpacing(8);
        layout->addStretch(1);
        auto *progress = new QProgressBar(this);
        progress->setRange(0, 0); // indeterminate
        progress->setTextVisible(false);
        progress->setFixedWidth(160);
        layout->addWidget(progress, 0, Qt::AlignHCenter);
        auto *label =
            new QLabel(localized(QT_TRANSLATE_NOOP("Localizable", "status.loading")), this);
        label->setObjectName(QStringLiteral("loadingLabel"));
        label->setForegroundRole(QPalette::PlaceholderText);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
        layout->addStretch(1);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QWidget::paintEvent(event);
        if (m_firstPainted) {
            // After this paint reaches the screen, not within it.
            QTimer::singleShot(0, parentWidget(), std::exchange(m_firstPainted, nullptr));
        }
    }

private:
    std::function<void()> m_firstPainted;
};

// The longest the decoding waits for the loading indicator to be drawn; a view that is
// never painted (a minimised window) still gets its content.
constexpr int paintWaitMs = 250;

} // namespace

AttachmentPreviewView::AttachmentPreviewView(model::UBLAttachment attachment, QWidget *parent)
    : QWidget(parent), m_attachment(std::move(attachment))
{
    setObjectName(QStringLiteral("attachmentPreview"));
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    showState();
}

void AttachmentPreviewView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        loadAttachment();
    }
}

void AttachmentPreviewView::loadAttachment()
{
    m_state = PreviewState{};
    ++m_generation;
    showState();
    // The tasks die with the view: a view that has gone away takes no late result.
    QTimer::singleShot(paintWaitMs, this,
                       [this, generation = m_generation] { finishLoading(generation); });
}

void AttachmentPreviewView::finishLoading(quint64 generation)
{
    // Only the first of the two triggers of the latest load does the work.
    if (generation != m_generation || !m_state.isLoading) {
        return;
    }
    m_state =
        loadedState(m_attachment,
                    localized(QT_TRANSLATE_NOOP("Localizable", "error.attachment_decode_failed")));
    showState();
    emit loaded();
}

void AttachmentPreviewView::showState()
{
    delete m_content;
    m_content = nullptr;
    m_openExternally = nullptr;

    switch (previewKind(m_state)) {
    case PreviewKind::loading:
        m_content =
            new LoadingView(this, [this, generation = m_generation] { finishLoading(generation); });
        break;
    case PreviewKind::error:
        m_content = new NoteView(QStringLiteral("exclamationmark.triangle"),
                                 localized(QT_TRANSLATE_NOOP("Localizable", "error.title")),
                                 *m_state.errorMessage, this, NoteView::SymbolColors::own);
        m_content->setObjectName(QStringLiteral("previewError"));
        break;
    case PreviewKind::pdf: {
        auto *pdf = new PDFPreviewView(*m_state.pdfData, this);
        m_content = pdf;
        m_openExternally = pdf->toolBar()->addAction(
            symbolIcon(QStringLiteral("arrow.up.forward.app")),
            localized(QT_TRANSLATE_NOOP("Localizable", "preview.open_with_default")));
        break;
    }
    case PreviewKind::image: {
        auto *image = new ImagePreviewView(*m_state.imageData, this);
        m_content = image;
        if (image->isDecoded()) {
            m_openExternally = image->toolBar()->addAction(
                symbolIcon(QStringLiteral("arrow.up.forward.app")),
                localized(QT_TRANSLATE_NOOP("Localizable", "preview.open_with_default")));
        }
        break;
    }
    case PreviewKind::unsupported:
        m_content = new NoteView(
            QStringLiteral("doc"),
            localized(QT_TRANSLATE_NOOP("Localizable", "Preview Not Available")),
            localized(QT_TRANSLATE_NOOP("Localizable", "error.unsupported_format")), this);
        m_content->setObjectName(QStringLiteral("previewUnsupported"));
        break;
    }
    if (m_openExternally) {
        m_openExternally->setObjectName(QStringLiteral("openExternallyAction"));
        m_openExternally->setToolTip(m_openExternally->text());
        connect(m_openExternally, &QAction::triggered, this,
                &AttachmentPreviewView::openExternally);
        // Its name says what it does; the zoom buttons beside it explain themselves.
        if (auto *strip = qobject_cast<QToolBar *>(m_openExternally->parent())) {
            if (auto *button =
                    qobject_cast<QToolButton *>(strip->widgetForAction(m_openExternally))) {
                button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            }
        }
    }
    m_layout->addWidget(m_content);
    m_content->show();
}

void AttachmentPreviewView::openExternally()
{
    const QByteArray *bytes = m_state.pdfData     ? &*m_state.pdfData
                              : m_state.imageData ? &*m_state.imageData
                                                  : nullptr;
    if (!bytes || !m_attachment.mimeType) {
        return;
    }
    const std::optional<QString> name = externalFileName(
        m_attachment.filename ? QString::fromStdString(*m_attachment.filename) : QString(),
        QString::fromStdString(*m_attachment.mimeType));
    if (!name) {
        return;
    }
    const ExternalCopy copy = writeExternalCopy(*name, *bytes);
    if (!copy.path || !QDesktopServices::openUrl(QUrl::fromLocalFile(*copy.path))) {
        QMessageBox::warning(
            this, localized(QT_TRANSLATE_NOOP("Localizable", "preview.open_failed")),
            copy.path ? localized(QT_TRANSLATE_NOOP("Localizable", "preview.open_failed_message"))
                            .arg(*name)
                      : copy.error);
    }
}

} // namespace vellora::app::preview
