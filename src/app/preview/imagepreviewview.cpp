// SPDX-License-Identifier: MIT
#include "imagepreviewview.h"

#include "app/style/localization.h"
#include "noteview.h"

#include <QBuffer>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

namespace vellora::app::preview {

using style::localized;

std::optional<QImage> decodeImage(const QByteArray &data, int allocationLimitMB)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(allocationLimitMB);
    reader.setAutoTransform(true); // a photo's orientation tag turns it upright
    QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    return image;
}

ImagePreviewView::ImagePreviewView(const QByteArray &data, QWidget *parent, int allocationLimitMB)
    : QWidget(parent), m_data(data)
{
    setObjectName(QStringLiteral("imagePreview"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("imageToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto *spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    layout->addWidget(m_toolBar);

    const std::optional<QImage> image = decodeImage(m_data, allocationLimitMB);
    if (!image) {
        m_toolBar->hide();
        m_unreadable = new NoteView(
            QStringLiteral("photo"),
            localized(QT_TRANSLATE_NOOP("Localizable", "Unable to Display Image")),
            localized(QT_TRANSLATE_NOOP("Localizable", "error.unsupported_format")), this);
        m_unreadable->setObjectName(QStringLiteral("imageUnreadable"));
        layout->addWidget(m_unreadable, 1);
        return;
    }

    m_imageSize = image->size();
    // The image keeps its own size and shape; the label is at least as large as the visible
    // area, which centres a small image and lets a large one scroll both ways.
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("imageScrollArea"));
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setAlignment(Qt::AlignCenter);
    m_imageLabel = new QLabel;
    m_imageLabel->setObjectName(QStringLiteral("image"));
    m_imageLabel->setAlignment(Qt::AlignCenter);
    m_imageLabel->setPixmap(QPixmap::fromImage(*image));
    m_imageLabel->setMinimumSize(image->size());
    m_scrollArea->setWidget(m_imageLabel);
    layout->addWidget(m_scrollArea, 1);
}

} // namespace vellora::app::preview
