// SPDX-License-Identifier: MIT
// PDF and image fixtures made on the spot with Qt's own writers, for tests, pictures and
// benchmarks.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>

#include <vector>

namespace vellora::testing {

// The colour that fills page `index` (0-based) of a fixture PDF: one per page, so that a
// rendering shows which page is where.
inline QColor pageColor(int index)
{
    static const QColor colors[] = {QColor(220, 30, 30), QColor(30, 160, 40), QColor(30, 60, 220),
                                    QColor(230, 150, 0), QColor(140, 40, 170)};
    return colors[index % 5];
}

// An A4 PDF of `pages` pages; each page carries a large block in its page colour and its
// number. `noiseSide` > 0 adds to every page a picture of random pixels of that many pixels
// square, stored losslessly, to make a big file.
inline QByteArray makePdf(int pages, int noiseSide = 0)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setCreator(QStringLiteral("Vellora tests"));
    QPainter painter(&writer);
    const QRect page = painter.viewport();
    for (int i = 0; i < pages; ++i) {
        if (i > 0) {
            writer.newPage();
        }
        painter.fillRect(page.adjusted(40, 40, -40, -page.height() / 2), pageColor(i));
        QFont font = painter.font();
        font.setPixelSize(120);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(page.adjusted(0, page.height() / 2, 0, 0), Qt::AlignCenter,
                         QString::number(i + 1));
        if (noiseSide > 0) {
            QImage noise(noiseSide, noiseSide, QImage::Format_RGB32);
            for (int y = 0; y < noiseSide; ++y) {
                auto *line = reinterpret_cast<quint32 *>(noise.scanLine(y));
                QRandomGenerator::global()->fillRange(line, noiseSide);
            }
            painter.drawImage(QRect(40, page.height() - 240, 200, 200), noise);
        }
    }
    painter.end();
    return bytes;
}

// A PNG of the given size in one colour.
inline QByteArray makePng(QSize size, QColor color = QColor(40, 120, 200))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Base64 wrapped in indented lines of 76 characters, as XML writers emit it.
inline QByteArray wrappedBase64(const QByteArray &bytes, const QByteArray &indent = "      ")
{
    const QByteArray base64 = bytes.toBase64();
    QByteArray text;
    for (qsizetype i = 0; i < base64.size(); i += 76) {
        text += indent + base64.mid(i, 76) + '\n';
    }
    return text.trimmed();
}

} // namespace vellora::testing
