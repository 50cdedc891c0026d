// SPDX-License-Identifier: MIT
// The viewer: one window per file named on the command line, or the Open dialog.
#include "documentsummary.h"

#include "parser/velloradocument.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

bool openWindow(const QString &path)
{
    using vellora::parser::VelloraDocument;
    VelloraDocument::ReadResult read = VelloraDocument::fromFile(path.toStdString());
    if (const auto *error = std::get_if<vellora::parser::DocumentReadError>(&read)) {
        QMessageBox::critical(
            nullptr, QStringLiteral("Vellora"),
            QStringLiteral("The file “%1” couldn’t be opened because it isn’t in the correct "
                           "format.\n%2")
                .arg(QFileInfo(path).fileName(), QString::fromStdString(error->reason)));
        return false;
    }
    const auto &document = std::get<VelloraDocument>(read);

    auto *window = new QMainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QFileInfo(path).fileName());
    auto *central = new QWidget(window);
    auto *layout = new QVBoxLayout(central);
    auto *summary = new QLabel(vellora::app::documentSummary(document), central);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *text = new QPlainTextEdit(QString::fromStdString(document.text()), central);
    text->setReadOnly(true);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(summary);
    layout->addWidget(text);
    window->setCentralWidget(central);
    window->resize(800, 600);
    window->show();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellora"));

    QStringList files = QApplication::arguments().mid(1);
    if (files.isEmpty()) {
        const QString file = QFileDialog::getOpenFileName(
            nullptr, QString(), QString(),
            QStringLiteral("UBL and XML documents (*.xml *.ubl);;Text files (*.txt);;All files (*)"));
        if (file.isEmpty()) {
            return 0;
        }
        files << file;
    }
    int opened = 0;
    for (const QString &file : files) {
        opened += openWindow(file) ? 1 : 0;
    }
    return opened > 0 ? application.exec() : 0;
}
