// SPDX-License-Identifier: GPL-3.0-or-later
#include "Printer.h"

#include "PlatformModule.h"

namespace kit {
namespace {

// Printing where the module cannot be had: no dialog.
class NoPrinter final : public PrintService {
public:
    bool print(QWidget*, const QString&, Paint, Finished) override { return false; }
};

PlatformService<PrintService, NoPrinter> printing(printModule, "firstaidCreatePrintService");

} // namespace

namespace Printer {

bool print(QWidget* parent, const QString& documentName, PrintService::Paint paint,
           PrintService::Finished finished)
{
    return printing.get().print(parent, documentName, std::move(paint), std::move(finished));
}

void setService(PrintService* service)
{
    printing.setReplacement(service);
}

} // namespace Printer
} // namespace kit
