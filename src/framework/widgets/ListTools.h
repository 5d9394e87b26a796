#pragma once
// What a list offers beyond its records: a graph of a column, a printed list (previewed or
// straight to the printer), an export opened in the desktop's program for its type, and an
// image of the window on the clipboard. Each works on any BrowseList, on the records the list
// shows (order, range, filter) and its visible columns; the long ones run in the progress window.
//
// The exports go to the folder the context names; the application names the workstation's
// program folder, where its user may write and finds them again:
//
//     ListTools::personalise(list, {settings, messages, dialogs, clock, workstation.run().programFolder});

#include "framework/FormRequest.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QUrl;

namespace vellum {

class BrowseList;
class Clock;
class Dialogs;
class GraphWindow;
class Messages;
class PrinterChoice;
class ProgressProcess;
class ReportDocument;
class SettingsFile;
struct BrowseColumn;

class ListTools : public QObject {
    Q_OBJECT

public:
    struct Context {
        SettingsFile &settings;
        Messages &messages;
        Dialogs &dialogs;
        const Clock &clock;
        QString exportFolder; // where "XPort.CSV" and "XPort.HTM" are written
    };
    // Opens a file in the desktop's program for its type; false when none opened it.
    using Opener = std::function<bool(const QUrl &url)>;

    explicit ListTools(const Context &context, QObject *parent = nullptr);
    ~ListTools() override;

    void setOpener(Opener opener) { m_opener = std::move(opener); }
    // The printer seam; the print dialog unless set.
    void setPrinterChoice(PrinterChoice *printers);

    // The graph of the visible column, shown on its own; none when the list gives no graph (the
    // user has been told) or the count was cancelled.
    GraphWindow *graphOn(BrowseList &list, int column);
    // True when the list went to the printer.
    bool print(BrowseList &list, bool preview);
    // True when the file is written and a program opened it.
    bool exportList(BrowseList &list, bool html);
    // The window's image on the clipboard; false when there was nothing to copy.
    bool output(BrowseList &list);

    // Serves the list's requests with these tools.
    static void attach(BrowseList *list, ListTools *tools);
    // Lets the user shape the list and serves its graph, print, export and output requests with
    // tools of its own: what each of the personalised lists calls once its columns are set.
    static ListTools *personalise(BrowseList *list, const Context &context);

Q_SIGNALS:
    void helpRequested(const QString &topic);

private:
    FormResponse run(BrowseList &list, ProgressProcess &process);
    bool printDirectly(BrowseList &list, const ReportDocument &document);
    static QString titleOf(BrowseList &list);
    static std::vector<int> fieldsOf(const std::vector<BrowseColumn> &columns);

    Context m_context;
    Opener m_opener;
    std::unique_ptr<PrinterChoice> m_dialogChoice;
    PrinterChoice *m_printers;
};

} // namespace vellum
