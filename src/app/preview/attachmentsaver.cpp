// SPDX-License-Identifier: MIT
#include "attachmentsaver.h"

#include "app/style/localization.h"
#include "attachmentdata.h"
#include "model/ublattachment.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QStandardPaths>

#include <iostream>

namespace vellora::app::preview {

using style::localized;

namespace {

QString allFilesFilter()
{
    return localized(QT_TRANSLATE_NOOP("Localizable", "All files (*)"));
}

// The types the dialog can restrict to: the MIME types (lower case) that select each, the
// type whose name the system's MIME database gives, and the file name patterns.
struct FileType
{
    const char *mimeType;
    const char *otherMimeType; // another name of the same type, or nullptr
    const char *databaseType;
    const char *globs;
};

const FileType fileTypes[] = {
    {"application/pdf", nullptr, "application/pdf", "*.pdf"},
    {"image/jpeg", "image/jpg", "image/jpeg", "*.jpg *.jpeg"},
    {"image/png", nullptr, "image/png", "*.png"},
    {"image/gif", nullptr, "image/gif", "*.gif"},
    {"text/xml", "application/xml", "application/xml", "*.xml"},
    {"text/plain", nullptr, "text/plain", "*.txt"},
    {"application/json", nullptr, "application/json", "*.json"},
};

// "PDF document (*.pdf)": the type's name in the words (and language) of the system's MIME
// database, or the MIME type itself when the database lacks it.
QString filterOf(const QString &name, const QString &globs)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(name);
    const QString comment = type.isValid() && !type.comment().isEmpty() ? type.comment() : name;
    return comment + QStringLiteral(" (") + globs + QLatin1Char(')');
}

std::optional<QString> textOf(const std::optional<std::string> &text)
{
    if (!text) {
        return std::nullopt;
    }
    return QString::fromStdString(*text);
}

} // namespace

QStringList saveNameFilters(const std::optional<QString> &mimeType)
{
    if (!mimeType) {
        return {allFilesFilter()};
    }
    const QString lower = mimeType->toLower();
    if (lower == QLatin1String("text/csv")) {
        // Whatever type the system knows for the extension "csv".
        const QMimeType csv =
            QMimeDatabase().mimeTypeForFile(QStringLiteral("x.csv"), QMimeDatabase::MatchExtension);
        if (csv.isDefault()) {
            return {localized(QT_TRANSLATE_NOOP("Localizable", "file.save_panel.csv")) +
                    QStringLiteral(" (*.csv)")};
        }
        return {filterOf(csv.name(), QStringLiteral("*.csv"))};
    }
    for (const FileType &type : fileTypes) {
        if (lower == QLatin1String(type.mimeType) ||
            (type.otherMimeType && lower == QLatin1String(type.otherMimeType))) {
            return {
                filterOf(QString::fromLatin1(type.databaseType), QString::fromLatin1(type.globs))};
        }
    }
    return {allFilesFilter()};
}

SavePanel savePanel(const model::UBLAttachment &attachment)
{
    const std::optional<QString> mimeType = textOf(attachment.mimeType);
    SavePanel panel;
    panel.title = localized(QT_TRANSLATE_NOOP("Localizable", "file.save_panel.title"));
    panel.message = localized(QT_TRANSLATE_NOOP("Localizable", "file.save_panel.message"));
    panel.proposedName =
        suggestedFileName(attachment.filename ? QString::fromStdString(*attachment.filename)
                                              : QStringLiteral("attachment"),
                          mimeType);
    panel.nameFilters = saveNameFilters(mimeType);
    if (panel.nameFilters.constFirst() != allFilesFilter()) {
        panel.defaultSuffix = fileExtension(*mimeType).value_or(QString());
    }
    panel.directory = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return panel;
}

std::optional<QString> writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return std::nullopt;
}

SaveInteraction SaveInteraction::interactive(QWidget *parent)
{
    SaveInteraction interaction;
    interaction.chooseLocation = [parent](const SavePanel &panel) -> std::optional<QString> {
        QFileDialog dialog(parent, panel.title, panel.directory);
        dialog.setObjectName(QStringLiteral("saveAttachmentDialog"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(panel.nameFilters);
        dialog.setDefaultSuffix(panel.defaultSuffix);
        dialog.selectFile(panel.proposedName);
        // The message, as a line under the dialog's own controls.
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
            auto *message = new QLabel(panel.message, &dialog);
            message->setObjectName(QStringLiteral("saveMessage"));
            message->setWordWrap(true);
            grid->addWidget(message, grid->rowCount(), 0, 1, grid->columnCount());
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString path = dialog.selectedFiles().constFirst();
        return path.isEmpty() ? std::nullopt : std::optional(path);
    };
    interaction.showFailure = [parent](const QString &title, const QString &text) {
        QMessageBox::warning(parent, title, text);
    };
    interaction.out = &std::cout;
    return interaction;
}

SaveResult saveAttachment(const model::UBLAttachment &attachment,
                          const SaveInteraction &interaction)
{
    std::ostream &out = interaction.out ? *interaction.out : std::cout;
    const QString name = attachment.filename ? QString::fromStdString(*attachment.filename)
                                             : QStringLiteral("Unknown");

    std::optional<QByteArray> bytes;
    if (attachment.embeddedData && !attachment.embeddedData->empty()) {
        bytes = decodeEmbeddedData(*attachment.embeddedData);
    }
    if (!bytes || bytes->isEmpty()) {
        out << "No data available for attachment: " << name.toStdString() << std::endl;
        if (interaction.showFailure) {
            interaction.showFailure(
                localized(QT_TRANSLATE_NOOP("Localizable", "file.save_error.title")),
                localized(QT_TRANSLATE_NOOP("Localizable", "file.save_error.no_data"))
                    .arg(cleanedFileName(name)));
        }
        return {SaveOutcome::noData, {}, {}};
    }

    const std::optional<QString> path = interaction.chooseLocation
                                            ? interaction.chooseLocation(savePanel(attachment))
                                            : std::nullopt;
    if (!path) {
        return {SaveOutcome::cancelled, {}, {}};
    }

    if (const std::optional<QString> error = writeFileAtomically(*path, *bytes)) {
        out << "Failed to save attachment: " << error->toStdString() << std::endl;
        if (interaction.showFailure) {
            interaction.showFailure(
                localized(QT_TRANSLATE_NOOP("Localizable", "file.save_error.title")),
                localized(QT_TRANSLATE_NOOP("Localizable", "file.save_error.write"))
                    .arg(QFileInfo(*path).fileName(), *error));
        }
        return {SaveOutcome::failed, *path, *error};
    }
    out << "Successfully saved: " << QFileInfo(*path).fileName().toStdString() << std::endl;
    return {SaveOutcome::saved, *path, {}};
}

} // namespace vellora::app::preview
