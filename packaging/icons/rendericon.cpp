// SPDX-License-Identifier: MIT
// rendericon SVG SIZE PNG: renders the application icon at SIZE x SIZE pixels for the
// hicolor theme's fixed-size folders. Run at build time, so no PNG is kept in the sources.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fputs("usage: rendericon SVG SIZE PNG\n", stderr);
        return 64;
    }
    bool sizeOk = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&sizeOk);
    if (!sizeOk || size <= 0 || size > 1024) {
        std::fprintf(stderr, "rendericon: bad size %s\n", argv[2]);
        return 64;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "rendericon: cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "rendericon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
