// SPDX-License-Identifier: MIT
// A PDF attachment shown page below page, fitted to the width, with zoom and page count.
#pragma once

#include <QByteArray>
#include <QMargins>
#include <QSizeF>
#include <QWidget>

class QAction;
class QBuffer;
class QLabel;
class QPdfDocument;
class QPdfView;
class QToolBar;

namespace vellora::app::preview {

class NoteView;

// Zoom steps of the PDF view: each step scales by 1.25, kept between 10 % and 800 %.
qreal zoomedIn(qreal factor);
qreal zoomedOut(qreal factor);

// The zoom factor at which a page of `pagePoints` fills `viewportWidth` pixels less the
// side margins, on a screen of `dotsPerInch`; the factor "fit to width" shows.
qreal fitToWidthFactor(QSizeF pagePoints, int viewportWidth, QMargins margins, qreal dotsPerInch);

class PDFPreviewView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PDFPreviewView)

public:
    // Builds the document from a copy of `data`. Bytes that do not form a readable PDF show
    // a note saying so instead of an empty pane.
    explicit PDFPreviewView(const QByteArray &data, QWidget *parent = nullptr);
    ~PDFPreviewView() override;

    const QByteArray &data() const { return m_data; }
    bool isReadable() const;
    int pageCount() const;

    // The strip above the pages; others may add their actions to it.
    QToolBar *toolBar() const { return m_toolBar; }
    QPdfView *pdfView() const { return m_view; }
    QPdfDocument *document() const { return m_document; }
    NoteView *unreadableNote() const { return m_unreadable; }
    QLabel *pageCountLabel() const { return m_pageCount; }
    QAction *zoomInAction() const { return m_zoomIn; }
    QAction *zoomOutAction() const { return m_zoomOut; }
    QAction *fitWidthAction() const { return m_fitWidth; }

    void zoomIn();
    void zoomOut();
    void fitToWidth();

private:
    void documentStatusChanged();
    qreal effectiveZoomFactor() const;
    void setCustomZoom(qreal factor);

    QByteArray m_data;
    // Declared before the document: the document reads the buffer until it is destroyed,
    // so the buffer must outlive it (members are destroyed in reverse order).
    QBuffer *m_buffer = nullptr;
    QPdfDocument *m_document = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_pageCount = nullptr;
    QAction *m_zoomIn = nullptr;
    QAction *m_zoomOut = nullptr;
    QAction *m_fitWidth = nullptr;
    QPdfView *m_view = nullptr;
    NoteView *m_unreadable = nullptr;
};

} // namespace vellora::app::preview
