#include "ReportPreview.h"

#include "DisplayChoiceDialog.h"
#include "JumpPageDialog.h"
#include "PagesToPrintDialog.h"
#include "PreviewPane.h"
#include "PrinterChoice.h"

#include "framework/ApplicationMessage.h"
#include "framework/Dialogs.h"
#include "framework/PageSelection.h"
#include "framework/ReportDocument.h"

#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr qreal A4WidthMm = 210;
constexpr qreal A4HeightMm = 297;
constexpr qreal MmPerInch = 25.4;
constexpr int Gaps = 40; // room the pane keeps around the pages

} // namespace

const QString ReportPreview::ProcedureName = u"ReportPreview"_s;

ReportPreview::ReportPreview(const ReportDocument &document, PrinterChoice &printers, Dialogs &dialogs,
                             Messages &messages, QWidget *parent)
    : QDialog(parent), m_document(document), m_renderer(document), m_printers(printers), m_dialogs(dialogs),
      m_messages(messages), m_pane(new PreviewPane(document, m_renderer)), m_scroll(new QScrollArea(this)),
      m_status(new QStatusBar(this)), m_pagesText(PageSelection::all(document.pageCount()))
{
    bool every = false;
    m_pagesToPrint = PageSelection::parse(m_pagesText, document.pageCount(), &every);
    setObjectName(ProcedureName);
    setWindowTitle(u"Report Preview"_s);
    setSizeGripEnabled(true);
    auto *menus = new QMenuBar(this);
    buildMenus(menus);
    m_scroll->setWidget(m_pane);
    m_scroll->setAlignment(Qt::AlignHCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(buildToolBar());
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_status);
    resize(900, 700);
    setZoom(m_zoom);
}

void ReportPreview::setCurrentPage(int page)
{
    m_page = std::clamp(page, 1, std::max(1, m_document.pageCount()));
    showPages();
}

void ReportPreview::setDisplay(int across, int down)
{
    m_across = std::clamp(across, 1, DisplayChoiceDialog::Most);
    m_down = std::clamp(down, 1, DisplayChoiceDialog::Most);
    showPages();
}

void ReportPreview::setZoom(PreviewZoom::Choice zoom)
{
    m_zoom = zoom;
    m_zoomActions.at(zoom)->setChecked(true);
    m_status->showMessage(PreviewZoom::choices()[std::size_t(zoom)].statusText);
    showPages();
}

QSize ReportPreview::pageSize() const
{
    const QSizeF full(A4WidthMm / MmPerInch * logicalDpiX(), A4HeightMm / MmPerInch * logicalDpiY());
    const QSize room = m_scroll->viewport()->size() - QSize(Gaps, Gaps);
    qreal scale = PreviewZoom::choices()[std::size_t(m_zoom)].percent / 100.0;
    if (m_zoom == PreviewZoom::PageWidth)
        scale = room.width() / (m_across * full.width());
    else if (m_zoom == PreviewZoom::TilePages)
        scale = std::min(room.width() / (m_across * full.width()), room.height() / (m_down * full.height()));
    return (full * std::max(scale, 0.05)).toSize();
}

void ReportPreview::nextPages()
{
    setCurrentPage(m_page + m_across * m_down);
}

void ReportPreview::previousPages()
{
    setCurrentPage(m_page - m_across * m_down);
}

void ReportPreview::jumpToPage()
{
    JumpPageDialog dialog(m_page, m_document.pageCount(), this);
    if (dialog.exec() == QDialog::Accepted)
        setCurrentPage(dialog.page());
}

void ReportPreview::changeDisplay()
{
    DisplayChoiceDialog dialog(m_across, m_down, this);
    if (dialog.exec() == QDialog::Accepted)
        setDisplay(dialog.across(), dialog.down());
}

void ReportPreview::choosePagesToPrint()
{
    PagesToPrintDialog dialog(m_pagesText, m_document.pageCount(), m_messages, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_pagesText = dialog.text();
    m_pagesToPrint = dialog.pages();
}

bool ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_document.title());
    if (!m_printers.choose(printer, m_document.pageCount()))
        return false;
    if (!m_renderer.print(printer, m_pagesToPrint)) {
        ApplicationMessage::show(m_messages, u"The report could not be printed."_s, MessageIcon::Exclamation);
        return false;
    }
    m_printed = true;
    accept();
    return true;
}

bool ReportPreview::saveAsPdf()
{
    QString path = m_dialogs.saveFile(u"Save as PDF"_s, QString(), u"PDF Files|*.pdf"_s);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        path += u".pdf"_s;
    if (!m_renderer.writePdf(path, m_pagesToPrint)) {
        ApplicationMessage::show(m_messages, u"The file "_s + path + u" could not be written."_s,
                                 MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    showPages();
}

void ReportPreview::buildMenus(QMenuBar *bar)
{
    addItems(bar->addMenu(u"&File"_s),
             {
                 {u"Pa&ges to Print..."_s, u"Select which pages to print"_s, &ReportPreview::choosePagesToPrint},
                 {u"&Print"_s, u"Print the report"_s, &ReportPreview::printChosen},
                 {u"&Save as PDF..."_s, u"Write the pages to print to a PDF file"_s, &ReportPreview::saveChosen},
                 {u"E&xit"_s, u"Exit without printing the report"_s, &ReportPreview::reject},
             });
    addItems(bar->addMenu(u"&View"_s),
             {
                 {u"&Next Page(s)"_s, {}, &ReportPreview::nextPages},
                 {u"&Previous Page(s)"_s, {}, &ReportPreview::previousPages},
                 {u"&Jump to a page"_s, {}, &ReportPreview::jumpToPage},
                 {u"&Change Display"_s, u"Change the number of pages displayed"_s, &ReportPreview::changeDisplay},
             });
    QMenu *zoomMenu = bar->addMenu(u"&Zoom"_s);
    auto *group = new QActionGroup(this);
    for (int choice = 0; choice < PreviewZoom::Count; ++choice) {
        const PreviewZoom &zoom = PreviewZoom::choices()[std::size_t(choice)];
        QAction *action = zoomMenu->addAction(zoom.text);
        action->setCheckable(true);
        action->setStatusTip(zoom.statusText);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice] { setZoom(PreviewZoom::Choice(choice)); });
        m_zoomActions.append(action);
    }
}

void ReportPreview::addItems(QMenu *menu, std::initializer_list<MenuItem> items)
{
    for (const MenuItem &item : items) {
        QAction *action = menu->addAction(item.text);
        action->setStatusTip(item.tip);
        action->setToolTip(item.tip.isEmpty() ? action->toolTip() : item.tip);
        connect(action, &QAction::triggered, this, [this, act = item.act] { (this->*act)(); });
    }
}

QToolBar *ReportPreview::buildToolBar()
{
    auto *bar = new QToolBar(this);
    const int pages = std::max(1, m_document.pageCount());
    m_pageField = addField(bar, u"&Page:"_s, pages);
    const QString hint = u"Enter a page number from 1 to "_s + QString::number(pages);
    m_pageField->setToolTip(hint);
    m_pageField->setStatusTip(hint);
    m_pageField->setEnabled(pages >= 2);
    m_acrossField = addField(bar, u"&Across:"_s, DisplayChoiceDialog::Most);
    m_downField = addField(bar, u"&Down:"_s, DisplayChoiceDialog::Most);
    m_zoomField = new QComboBox(bar);
    for (const PreviewZoom &zoom : PreviewZoom::choices())
        m_zoomField->addItem(zoom.text);
    auto *zoomLabel = new QLabel(u"Z&oom:"_s, bar);
    zoomLabel->setBuddy(m_zoomField);
    bar->addWidget(zoomLabel);
    bar->addWidget(m_zoomField);
    connect(m_pageField, &QSpinBox::valueChanged, this, &ReportPreview::setCurrentPage);
    connect(m_acrossField, &QSpinBox::valueChanged, this, [this](int across) { setDisplay(across, m_down); });
    connect(m_downField, &QSpinBox::valueChanged, this, [this](int down) { setDisplay(m_across, down); });
    connect(m_zoomField, &QComboBox::activated, this, [this](int choice) { setZoom(PreviewZoom::Choice(choice)); });
    return bar;
}

QSpinBox *ReportPreview::addField(QToolBar *bar, const QString &label, int most)
{
    auto *field = new QSpinBox(bar);
    field->setRange(1, most);
    auto *caption = new QLabel(label, bar);
    caption->setBuddy(field);
    bar->addWidget(caption);
    bar->addWidget(field);
    return field;
}

void ReportPreview::showPages()
{
    if (!m_pageField)
        return;
    const QSignalBlocker pageBlock(m_pageField);
    const QSignalBlocker acrossBlock(m_acrossField);
    const QSignalBlocker downBlock(m_downField);
    const QSignalBlocker zoomBlock(m_zoomField);
    m_pageField->setValue(m_page);
    m_acrossField->setValue(m_across);
    m_downField->setValue(m_down);
    m_zoomField->setCurrentIndex(m_zoom);
    m_pane->showPages(m_page, m_across, m_down, pageSize());
}

void ReportPreview::printChosen()
{
    static_cast<void>(print());
}

void ReportPreview::saveChosen()
{
    static_cast<void>(saveAsPdf());
}

} // namespace vellum
