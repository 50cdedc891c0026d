// SPDX-License-Identifier: MIT
// An image attachment at its own size, centred, scrolling when it is larger than the area.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <optional>

class QLabel;
class QScrollArea;
class QToolBar;

namespace vellora::app::preview {

class NoteView;

// Decodes image bytes with the image reader (any format it knows), refusing an image whose
// decoded pixels would take more than `allocationLimitMB` megabytes: a small file that
// claims a huge picture cannot exhaust memory. nullopt when the bytes cannot be read.
std::optional<QImage> decodeImage(const QByteArray &data, int allocationLimitMB);

class ImagePreviewView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImagePreviewView)

public:
    static constexpr int defaultAllocationLimitMB = 256;

    explicit ImagePreviewView(const QByteArray &data, QWidget *parent = nullptr,
                              int allocationLimitMB = defaultAllocationLimitMB);

    const QByteArray &data() const { return m_data; }
    bool isDecoded() const { return m_imageLabel != nullptr; }
    QSize imageSize() const { return m_imageSize; }

    QToolBar *toolBar() const { return m_toolBar; }
    QScrollArea *scrollArea() const { return m_scrollArea; }
    QLabel *imageLabel() const { return m_imageLabel; }
    NoteView *unreadableNote() const { return m_unreadable; }

private:
    QByteArray m_data;
    QSize m_imageSize;
    QToolBar *m_toolBar = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    QLabel *m_imageLabel = nullptr;
    NoteView *m_unreadable = nullptr;
};

} // namespace vellora::app::preview
