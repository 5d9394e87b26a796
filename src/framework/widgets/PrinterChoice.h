#pragma once
// The printer seam: the print dialog in the application, a chosen printer or PDF file in tests.

class QPrinter;

namespace vellum {

class PrinterChoice {
public:
    virtual ~PrinterChoice() = default;
    // Sets up the printer as the user chose; false when the user cancelled.
    virtual bool choose(QPrinter &printer, int pageCount) = 0;
};

} // namespace vellum
