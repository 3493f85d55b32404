// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace kit {

// How a print ended.
struct PrintOutcome {
    enum Result { Printed, Cancelled, Failed };
    Result result = Cancelled;
    // Where the pages went when they went to a file; empty for a printer.
    QString file;
    // Why they could not be printed.
    QString error;
};

// The platform's printing: its print dialog, which offers the printers there are and
// printing to a PDF file.
class PrintService {
public:
    using Paint = std::function<void(QPainter&, QPagedPaintDevice&)>;
    using Finished = std::function<void(const PrintOutcome&)>;

    virtual ~PrintService() = default;
    // Opens the print dialog for one A4 page over parent's window and returns at once;
    // false when there is no dialog to open. When the owner prints, paint draws the page
    // (its origin the paper's corner) and finished hears how it went; a file is created
    // readable by its owner only, since what is printed may be private.
    virtual bool print(QWidget* parent, const QString& documentName, Paint paint,
                       Finished finished) = 0;
};

// The print calls the screens make. They go to the real service (in the print module,
// loaded on first use, so no start pays for Qt's print support) unless a test has put its
// own in place; without the module there is nothing to print with.
namespace Printer {
bool print(QWidget* parent, const QString& documentName, PrintService::Paint paint,
           PrintService::Finished finished);
// For tests: a service to use instead of the real one (null goes back to it).
void setService(PrintService* service);
} // namespace Printer

// The print module makes its service with
//   extern "C" PrintService* firstaidCreatePrintService();

} // namespace kit
