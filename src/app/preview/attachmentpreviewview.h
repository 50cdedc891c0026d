// SPDX-License-Identifier: MIT
// The detail area for the selected attachment: its PDF or image, or why it cannot be shown.
#pragma once

#include "model/ublattachment.h"
#include "previewstate.h"

#include <QWidget>

class QAction;
class QVBoxLayout;

namespace vellora::app::preview {

class AttachmentPreviewView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AttachmentPreviewView)

public:
    // Starts in the loading state; the attachment is decoded each time the view is shown.
    explicit AttachmentPreviewView(model::UBLAttachment attachment, QWidget *parent = nullptr);

    const model::UBLAttachment &attachment() const { return m_attachment; }
    const PreviewState &state() const { return m_state; }
    PreviewKind kind() const { return previewKind(m_state); }

    // The widget that shows the current state (the loading indicator, a note, the PDF or
    // the image view).
    QWidget *content() const { return m_content; }

    // Hands the shown PDF or image to the desktop's viewer; nullptr in the other states.
    QAction *openExternallyAction() const { return m_openExternally; }

    // Back to loading, then, in a task on the UI thread after the loading indicator has been
    // drawn, decodes the attachment and shows the outcome.
    void loadAttachment();

signals:
    // The view has left the loading state.
    void loaded();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void finishLoading(quint64 generation);
    void showState();
    void openExternally();

    const model::UBLAttachment m_attachment;
    PreviewState m_state;
    quint64 m_generation = 0; // a load that a later one replaced leaves the state alone
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_content = nullptr;
    QAction *m_openExternally = nullptr;
};

} // namespace vellora::app::preview
