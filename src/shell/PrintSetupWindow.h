#pragma once
// "P&rint Setup...": the printer, the paper size and the orientation the reports will use. The
// printer it is given changes only on "&OK"; nothing is printed here.

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QPrinter;
class QRadioButton;

namespace vellum {

class PrintSetupWindow final : public QDialog {
    Q_OBJECT

public:
    explicit PrintSetupWindow(QPrinter &printer, QWidget *parent = nullptr);

    void accept() override;

private:
    QGroupBox *printerGroup();
    QGroupBox *paperGroup();
    QGroupBox *orientationGroup();
    QDialogButtonBox *buttonBox();

    QPrinter &m_printer;
    QComboBox *m_printerName = nullptr;
    QComboBox *m_paperSize = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
};

} // namespace vellum
