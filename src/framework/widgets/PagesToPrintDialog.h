#pragma once
// "Pages to Print": the pages as "1-3, 5"; "&Reset" puts back every page, "&Ok" takes only a
// list of pages that exist (else a beep, and the text stays to be corrected).

#include <QDialog>
#include <QList>

class QLineEdit;

namespace vellum {

class Messages;

class PagesToPrintDialog : public QDialog {
    Q_OBJECT

public:
    PagesToPrintDialog(const QString &pages, int pageCount, Messages &messages, QWidget *parent = nullptr);

    QString text() const;
    QList<int> pages() const { return m_pages; }
    void accept() override;

private:
    int m_pageCount;
    Messages &m_messages;
    QLineEdit *m_text;
    QList<int> m_pages;
};

} // namespace vellum
