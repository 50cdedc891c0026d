// SPDX-License-Identifier: MIT
// Writes one external copy as the application would, prints its path and ends normally: the
// test that starts it checks that the private folder went with the application.
#include "app/preview/externalopen.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const auto copy = vellora::app::preview::writeExternalCopy(QStringLiteral("invoice.pdf"),
                                                               QByteArray("%PDF-1.4"));
    if (!copy.path) {
        std::fprintf(stderr, "%s\n", qPrintable(copy.error));
        return 1;
    }
    std::printf("%s\n", qPrintable(*copy.path));
    return 0;
}
