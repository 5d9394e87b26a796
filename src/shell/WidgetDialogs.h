#pragma once
// The common-dialog seam on screen: Qt's folder, file and colour dialogs and the printer set-up. File filters
// come in the application's form, "JPEG|*.jpg|GIF|*.gif", and colours as 0x00BBGGRR.

#include "framework/Dialogs.h"

#include <memory>

class QPrinter;
class QWidget;

namespace vellum {

class WidgetDialogs final : public Dialogs {
public:
    explicit WidgetDialogs(QWidget *parent = nullptr);
    ~WidgetDialogs() override;

    QString chooseFolder(const QString &title, const QString &start) override;
    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &folder, const QString &filter) override;
    int chooseColor(const QString &title, int initialBgr, bool *ok) override;
    // The printer chosen here is kept for the rest of the run.
    bool printerSetup() override;

    void setParent(QWidget *parent) { m_parent = parent; }

    // "JPEG|*.jpg|GIF|*.gif" becomes "JPEG (*.jpg);;GIF (*.gif)"; a filter without "|" stays.
    static QString qtFilter(const QString &filter);

private:
    QWidget *m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace vellum
