#include "ExportCardCommand.h"

#include "card/WalletCard.h"

#include <cstdio>

kit::CommandLineCommand exportCardCommand()
{
    return {QCommandLineOption(QStringLiteral("export-card"),
                               QStringLiteral("Write the medical card for the wallet (a sheet "
                                              "to cut out and fold) as a PDF file, and quit."),
                               QStringLiteral("file")),
            [](const QString& path) {
                QString error;
                if (!wallet::writePdf(path, wallet::storedCard(), &error)) {
                    std::fprintf(stderr, "firstaid: could not write %s: %s\n", qPrintable(path),
                                 qPrintable(error));
                    return 1;
                }
                return 0;
            },
            true};
}
