#include "PrintSetupWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr std::array PaperSizes{QPageSize::A4, QPageSize::Letter, QPageSize::Legal,    QPageSize::A3,
                                QPageSize::A5, QPageSize::B5,     QPageSize::Executive};

} // namespace

PrintSetupWindow::PrintSetupWindow(QPrinter &printer, QWidget *parent) : QDialog(parent), m_printer(printer)
{
    setWindowTitle(u"Print Setup"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(printerGroup());
    auto *paper = new QHBoxLayout;
    paper->addWidget(paperGroup());
    paper->addWidget(orientationGroup());
    layout->addLayout(paper);
    layout->addWidget(buttonBox());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The installed printers; without any, the paper choices still apply to what is printed to a file.
QGroupBox *PrintSetupWindow::printerGroup()
{
    m_printerName = new QComboBox;
    m_printerName->setObjectName(u"printer"_s);
    const QStringList names = QPrinterInfo::availablePrinterNames();
    m_printerName->addItems(names);
    const QString current =
        m_printer.printerName().isEmpty() ? QPrinterInfo::defaultPrinterName() : m_printer.printerName();
    m_printerName->setCurrentIndex(std::max(0, int(names.indexOf(current))));
    if (names.isEmpty()) {
        m_printerName->addItem(u"No printer installed"_s);
        m_printerName->setEnabled(false);
    }
    auto *group = new QGroupBox(u"Printer"_s);
    auto *rows = new QFormLayout(group);
    rows->addRow(u"&Name:"_s, m_printerName);
    return group;
}

QGroupBox *PrintSetupWindow::paperGroup()
{
    m_paperSize = new QComboBox;
    m_paperSize->setObjectName(u"paperSize"_s);
    for (QPageSize::PageSizeId id : PaperSizes)
        m_paperSize->addItem(QPageSize::name(id), int(id));
    const QPageSize current = m_printer.pageLayout().pageSize();
    if (m_paperSize->findData(int(current.id())) < 0)
        m_paperSize->addItem(current.name(), int(current.id()));
    m_paperSize->setCurrentIndex(m_paperSize->findData(int(current.id())));
    auto *group = new QGroupBox(u"Paper"_s);
    auto *rows = new QFormLayout(group);
    rows->addRow(u"Si&ze:"_s, m_paperSize);
    return group;
}

QGroupBox *PrintSetupWindow::orientationGroup()
{
    m_portrait = new QRadioButton(u"P&ortrait"_s);
    m_landscape = new QRadioButton(u"&Landscape"_s);
    m_portrait->setObjectName(u"portrait"_s);
    m_landscape->setObjectName(u"landscape"_s);
    const bool landscape = m_printer.pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? m_landscape : m_portrait)->setChecked(true);
    auto *group = new QGroupBox(u"Orientation"_s);
    auto *column = new QVBoxLayout(group);
    column->addWidget(m_portrait);
    column->addWidget(m_landscape);
    return group;
}

QDialogButtonBox *PrintSetupWindow::buttonBox()
{
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(u"&OK"_s, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(u"&Cancel"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

// The printer first: choosing another printer starts from that printer's own page settings.
void PrintSetupWindow::accept()
{
    if (m_printerName->isEnabled())
        m_printer.setPrinterName(m_printerName->currentText());
    m_printer.setPageSize(QPageSize(QPageSize::PageSizeId(m_paperSize->currentData().toInt())));
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}

} // namespace vellum
