#include "Printing.h"

#include "Export.h"

#include <QPainter>
#include <QPrinter>

#include <stdexcept>

namespace rpt {

void printPages(const PageStore& pages, QPrinter& printer, const PrintSettings& settings)
{
    const int first = std::max(1, settings.firstPage);
    const int last = settings.lastPage > 0 ? std::min(settings.lastPage, pages.pageCount()) : pages.pageCount();
    if (first > last)
        throw std::runtime_error("Brak stron do wydrukowania.");
    if (!settings.printerName.isEmpty() && printer.outputFileName().isEmpty())
        printer.setPrinterName(settings.printerName);
    switch (settings.duplex) {
    case Duplex::Off: printer.setDuplex(QPrinter::DuplexNone); break;
    case Duplex::Vertical: printer.setDuplex(QPrinter::DuplexLongSide); break;
    case Duplex::Horizontal: printer.setDuplex(QPrinter::DuplexShortSide); break;
    }
    // Copies are made here so that every printer, and a file, gets them alike.
    printer.setCopyCount(1);
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(pages.page(first - 1)));
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("Nie można rozpocząć wydruku na drukarce.");
    const qreal scale = printer.resolution() / 72.0;
    bool firstSheet = true;
    for (int copy = 0; copy < std::max(1, settings.copies); ++copy)
        for (int i = first - 1; i < last; ++i) {
            if (!firstSheet) {
                printer.setPageLayout(pageLayout(pages.page(i)));
                if (!printer.newPage())
                    throw std::runtime_error("Drukarka odrzuciła kolejną stronę.");
            }
            firstSheet = false;
            paintPage(painter, pages.page(i), scale);
        }
    if (!painter.end())
        throw std::runtime_error("Drukarka nie przyjęła wydruku.");
}

void printReport(Report& report, QPrinter& printer)
{
    const auto pages = report.prepare();
    printPages(*pages, printer, report.printSettings());
}

} // namespace rpt
