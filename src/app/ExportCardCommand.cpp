// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCardCommand.h"

#include "record/WalletCard.h"

#include <cstdio>

namespace app {

kit::CommandLineCommand exportCardCommand()
{
    return {QCommandLineOption(QStringLiteral("export-card"),
                               QStringLiteral("Write the medical card for the wallet (a sheet "
                                              "to cut out and fold) as a PDF file, and quit."),
                               QStringLiteral("file")),
            [](const QString& path) {
                QString error;
                if (!record::writeWalletPdf(path, record::storedWalletCard(), &error)) {
                    std::fprintf(stderr, "firstaid: could not write %s: %s\n", qPrintable(path),
                                 qPrintable(error));
                    return 1;
                }
                return 0;
            },
            true,
            QStringLiteral("Записать медицинскую карту для кошелька (лист, который вырезают и "
                           "складывают) в PDF-файл и выйти.")};
}

} // namespace app
