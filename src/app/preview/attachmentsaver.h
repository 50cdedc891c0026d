// SPDX-License-Identifier: MIT
// Saving an attachment's decoded bytes to a file the user picks.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <iosfwd>
#include <optional>

class QWidget;

namespace vellora::model {
struct UBLAttachment;
}

namespace vellora::app::preview {

// What the save dialog asks: its title, its message, the name it proposes, the file types it
// offers (name filters, the first selected) and the folder it opens in.
struct SavePanel
{
    QString title;
    QString message;
    QString proposedName;
    QStringList nameFilters;
    QString defaultSuffix; // added to a typed name without extension; empty for any type
    QString directory;

    bool operator==(const SavePanel &) const = default;
};

// The file types offered for a MIME type (letter case ignored): PDF, JPEG (also for
// "image/jpg"), PNG, GIF, XML (for text/xml and application/xml), plain text, CSV (the type
// the system associates with the extension "csv", or comma-separated text when it knows
// none) and JSON each offer their one type, as the system's MIME database names it; no type
// and every other type offer all files.
QStringList saveNameFilters(const std::optional<QString> &mimeType);

// The dialog for an attachment: proposes its cleaned name, or "attachment" when it has none,
// with the extension of its type added when the name lacks one, and opens in the user's
// Downloads folder.
SavePanel savePanel(const model::UBLAttachment &attachment);

enum class SaveOutcome
{
    noData,    // nothing to save: no content, empty content, or content that is not Base64
    cancelled, // the dialog was closed without a location; nothing written
    saved,
    failed, // the write failed; an existing file at the location is left as it was
};

struct SaveResult
{
    SaveOutcome outcome = SaveOutcome::cancelled;
    QString path;  // the location chosen (saved and failed)
    QString error; // the system's description of the failure (failed)

    bool operator==(const SaveResult &) const = default;
};

// The parts of the save dialogue that meet the user, replaceable so that tests can drive it.
struct SaveInteraction
{
    // Runs the dialog; the chosen path, or nullopt when the user cancels.
    std::function<std::optional<QString>(const SavePanel &)> chooseLocation;
    // Tells the user why nothing was saved (title, text).
    std::function<void(const QString &, const QString &)> showFailure;
    // Where the diagnostic lines go.
    std::ostream *out = nullptr;

    // The real dialogue: a modal, non-native file dialog and a warning box over `parent`,
    // lines on standard output.
    static SaveInteraction interactive(QWidget *parent);
};

// The whole save dialogue for one attachment, on the UI thread: decodes its content (or tells
// that there is none), asks for a location, and writes the bytes there through a temporary
// file that replaces the target only when it is complete. Each outcome but a cancel writes
// one line ("No data available for attachment: ", "Successfully saved: ", "Failed to save
// attachment: "); a failure is also shown to the user.
SaveResult saveAttachment(const model::UBLAttachment &attachment,
                          const SaveInteraction &interaction);

// Writes `bytes` to `path` through a QSaveFile: an existing file is replaced only by a
// complete new one. The error description on failure, nullopt on success.
std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace vellora::app::preview
