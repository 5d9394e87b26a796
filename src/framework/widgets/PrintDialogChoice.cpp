#include "PrintDialogChoice.h"

#include <QPrintDialog>
#include <QPrinter>

namespace vellum {

bool PrintDialogChoice::choose(QPrinter &printer, int pageCount)
{
    QPrintDialog dialog(&printer, m_parent);
    // The preview's own page choice applies; the dialog only picks the printer and its set-up.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vellum
