#pragma once
// The "&Ok" and "&Cancel" buttons of the small choice dialogs, wired to accept and reject.

class QDialog;
class QDialogButtonBox;

namespace vellum {

QDialogButtonBox *okCancelButtons(QDialog *dialog);

} // namespace vellum
