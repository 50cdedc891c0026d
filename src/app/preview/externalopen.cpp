// SPDX-License-Identifier: MIT
#include "externalopen.h"

#include "attachmentdata.h"
#include "previewstate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

namespace vellora::app::preview {

namespace {

// Owns the folder; removed with the application object, or at exit when there is none.
class TemporaryFolder final : public QObject
{
public:
    explicit TemporaryFolder(QObject *parent)
        : QObject(parent), m_dir(QDir::tempPath() + QStringLiteral("/vellora-XXXXXX"))
    {}

    const QTemporaryDir &dir() const { return m_dir; }
    int nextNumber() { return ++m_count; }

private:
    QTemporaryDir m_dir; // QTemporaryDir creates it with mode 0700
    int m_count = 0;
};

TemporaryFolder *temporaryFolder()
{
    static QPointer<TemporaryFolder> folder;
    static std::unique_ptr<TemporaryFolder> withoutApplication;
    if (!folder) {
        if (QCoreApplication *application = QCoreApplication::instance()) {
            folder = new TemporaryFolder(application);
        } else {
            withoutApplication = std::make_unique<TemporaryFolder>(nullptr);
            folder = withoutApplication.get();
        }
    }
    return folder;
}

} // namespace

std::optional<QString> externalFileName(const QString &name, const QString &mimeType)
{
    if (!isPdfType(mimeType) && !isSupportedImageType(mimeType)) {
        return std::nullopt;
    }
    const QString extension = fileExtension(mimeType).value_or(QString());
    const QString cleaned = cleanedFileName(name);
    // Without the last extension; a name that is only an extension (".bashrc") has no stem.
    const qsizetype dot = cleaned.lastIndexOf(QLatin1Char('.'));
    QString stem = dot > 0 ? cleaned.left(dot) : (dot == 0 ? QString() : cleaned);
    if (stem.isEmpty()) {
        stem = QStringLiteral("attachment");
    }
    return stem + QLatin1Char('.') + extension;
}

QString privateTemporaryFolder()
{
    TemporaryFolder *folder = temporaryFolder();
    return folder->dir().isValid() ? folder->dir().path() : QString();
}

ExternalCopy writeExternalCopy(const QString &fileName, const QByteArray &bytes)
{
    TemporaryFolder *folder = temporaryFolder();
    if (!folder->dir().isValid()) {
        return {std::nullopt, folder->dir().errorString()};
    }
    // A folder per copy: two attachments of the same name never overwrite each other while
    // a viewer still shows the first.
    const QString subfolder = folder->dir().filePath(QString::number(folder->nextNumber()));
    if (!QDir().mkdir(subfolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        return {std::nullopt, QStringLiteral("cannot create %1").arg(subfolder)};
    }
    const QString path = QDir(subfolder).filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = file.errorString();
        file.close();
        QFile::remove(path);
        return {std::nullopt, error};
    }
    file.close();
    // The viewer only reads it.
    file.setPermissions(QFile::ReadOwner);
    return {path, {}};
}

} // namespace vellora::app::preview
