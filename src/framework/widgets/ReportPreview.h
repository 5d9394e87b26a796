#pragma once
// "Report Preview": a finished report's pages before they go to paper. The user pages through
// them, chooses how many are shown and at what size, picks the pages to print, and prints them
// through the print dialog or writes them to a PDF file. "&Print" closes the window once the
// pages went to the printer; "E&xit" closes it without printing.

#include "PreviewZoom.h"
#include "ReportRenderer.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QMenuBar;
class QScrollArea;
class QSpinBox;
class QStatusBar;
class QToolBar;

namespace vellum {

class Dialogs;
class Messages;
class PreviewPane;
class PrinterChoice;
class ReportDocument;

class ReportPreview : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;

    ReportPreview(const ReportDocument &document, PrinterChoice &printers, Dialogs &dialogs, Messages &messages,
                  QWidget *parent = nullptr);

    int currentPage() const { return m_page; }
    void setCurrentPage(int page);
    int across() const { return m_across; }
    int down() const { return m_down; }
    void setDisplay(int across, int down);
    PreviewZoom::Choice zoom() const { return m_zoom; }
    void setZoom(PreviewZoom::Choice zoom);
    const QList<int> &pagesToPrint() const { return m_pagesToPrint; }
    QString pagesToPrintText() const { return m_pagesText; }
    bool printed() const { return m_printed; }
    QSize pageSize() const;

    void nextPages();
    void previousPages();
    void jumpToPage();
    void changeDisplay();
    void choosePagesToPrint();
    // False when the user cancelled or the printer failed (the user has been told).
    bool print();
    bool saveAsPdf();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct MenuItem {
        QString text;
        QString tip;
        void (ReportPreview::*act)();
    };

    void buildMenus(QMenuBar *bar);
    void addItems(QMenu *menu, std::initializer_list<MenuItem> items);
    QToolBar *buildToolBar();
    QSpinBox *addField(QToolBar *bar, const QString &label, int most);
    void showPages();
    void printChosen();
    void saveChosen();

    const ReportDocument &m_document;
    ReportRenderer m_renderer;
    PrinterChoice &m_printers;
    Dialogs &m_dialogs;
    Messages &m_messages;
    PreviewPane *m_pane;
    QScrollArea *m_scroll;
    QSpinBox *m_pageField = nullptr;
    QSpinBox *m_acrossField = nullptr;
    QSpinBox *m_downField = nullptr;
    QComboBox *m_zoomField = nullptr;
    QStatusBar *m_status;
    QList<QAction *> m_zoomActions;
    int m_page = 1;
    int m_across = 1;
    int m_down = 1;
    PreviewZoom::Choice m_zoom = PreviewZoom::PageWidth;
    QList<int> m_pagesToPrint;
    QString m_pagesText;
    bool m_printed = false;
};

} // namespace vellum
