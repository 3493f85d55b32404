// SPDX-License-Identifier: GPL-3.0-or-later
// Printing on Qt Print Support, built as a module of its own and loaded when the owner
// first asks to print: the platform's print dialog, window-modal, then the page painted
// on the printer the owner chose, or into the PDF file named in the dialog.

#include "kit/platform/Printer.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

namespace {

const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// A file the printer is about to write is made, or kept, readable by its owner only
// before a byte goes into it.
bool prepareOwnerOnly(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append, ownerOnly) ||
        !file.setPermissions(ownerOnly)) {
        *error = file.errorString();
        return false;
    }
    return true;
}

kit::PrintOutcome printPage(QPrinter& printer, const kit::PrintService::Paint& paint)
{
    kit::PrintOutcome outcome;
    outcome.file = printer.outputFileName();
    const bool fileWasThere = !outcome.file.isEmpty() && QFile::exists(outcome.file);
    if (!outcome.file.isEmpty() && !prepareOwnerOnly(outcome.file, &outcome.error)) {
        outcome.result = kit::PrintOutcome::Failed;
        return outcome;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        // No empty file is left where there was none.
        if (!outcome.file.isEmpty() && !fileWasThere)
            QFile::remove(outcome.file);
        outcome.result = kit::PrintOutcome::Failed;
        outcome.error = outcome.file.isEmpty() ? QStringLiteral("the printer did not start")
                                               : QStringLiteral("the file could not be written");
        return outcome;
    }
    paint(painter, printer);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        outcome.result = kit::PrintOutcome::Failed;
        outcome.error = QStringLiteral("the printer reported an error");
        return outcome;
    }
    outcome.result = kit::PrintOutcome::Printed;
    return outcome;
}

class PrintDialogService final : public kit::PrintService {
public:
    bool print(QWidget* parent, const QString& documentName, Paint paint,
               Finished finished) override
    {
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        printer->setDocName(documentName);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setFullPage(true);
        auto* dialog = new QPrintDialog(printer.get(), parent);
        dialog->setObjectName(QStringLiteral("printDialog"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowTitle(QStringLiteral("Печать: %1").arg(documentName));
        // One page: neither a range nor a selection to choose.
        dialog->setOptions(QAbstractPrintDialog::PrintToFile |
                           QAbstractPrintDialog::PrintShowPageSize);
        dialog->setMinMax(1, 1);
        QObject::connect(
            dialog, &QDialog::finished, dialog,
            [printer, paint = std::move(paint), finished = std::move(finished)](int result) {
                kit::PrintOutcome outcome;
                if (result == QDialog::Accepted)
                    outcome = printPage(*printer, paint);
                if (finished)
                    finished(outcome);
            });
        dialog->open();
        return true;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT kit::PrintService* firstaidCreatePrintService()
{
    return new PrintDialogService();
}
