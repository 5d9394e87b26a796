#pragma once
// The system's printers through the Qt print dialog.

#include "PrinterChoice.h"

class QWidget;

namespace vellum {

class PrintDialogChoice final : public PrinterChoice {
public:
    explicit PrintDialogChoice(QWidget *parent = nullptr) : m_parent(parent) {}
    bool choose(QPrinter &printer, int pageCount) override;

private:
    QWidget *m_parent;
};

} // namespace vellum
