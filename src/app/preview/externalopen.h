// SPDX-License-Identifier: MIT
// Handing a PDF or image attachment to the desktop's own viewer.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vellora::app::preview {

// The name of the copy handed to the desktop: the cleaned name without its own extension,
// with the extension `fileExtension` gives for the MIME type; nullopt for a type that is not
// a PDF or a supported image. The extension is never the one in the invoice, so a hostile
// name ("run.sh", "report.pdf.desktop") cannot make the desktop run anything.
std::optional<QString> externalFileName(const QString &name, const QString &mimeType);

// Writes `bytes` as `fileName` into a folder of its own inside this process's private
// temporary folder (mode 0700, removed when the application ends) and returns the file's
// path; the error description when it cannot.
struct ExternalCopy
{
    std::optional<QString> path;
    QString error;
};
ExternalCopy writeExternalCopy(const QString &fileName, const QByteArray &bytes);

// The private temporary folder, created on first use; empty when it cannot be created.
QString privateTemporaryFolder();

} // namespace vellora::app::preview
