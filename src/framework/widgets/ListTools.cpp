#include "ListTools.h"

#include "BrowseList.h"
#include "GraphPreferencesWindow.h"
#include "GraphWindow.h"
#include "PrintDialogChoice.h"
#include "ProgressWindow.h"
#include "ReportPreview.h"
#include "ReportRenderer.h"
#include "framework/ApplicationMessage.h"
#include "framework/Clock.h"
#include "framework/GraphCategories.h"
#include "framework/GraphPreferences.h"
#include "framework/ListExport.h"
#include "framework/ListPrint.h"
#include "framework/ListProcess.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QPixmap>
#include <QPrinter>
#include <QTableView>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace vellum {

ListTools::ListTools(const Context &context, QObject *parent)
    : QObject(parent), m_context(context), m_opener([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      m_dialogChoice(std::make_unique<PrintDialogChoice>()), m_printers(m_dialogChoice.get())
{
}

ListTools::~ListTools() = default;

void ListTools::setPrinterChoice(PrinterChoice *printers)
{
    m_printers = printers != nullptr ? printers : m_dialogChoice.get();
}

GraphWindow *ListTools::graphOn(BrowseList &list, int column)
{
    const std::vector<BrowseColumn> columns = list.visibleColumns();
    if (column < 0 || std::size_t(column) >= columns.size())
        return nullptr;
    const int field = columns[std::size_t(column)].field;
    GraphCategories categories(columns[std::size_t(column)]);
    ListProcess counting(list.file(), m_context.clock, list.currentWalk(), {field});
    counting.process().setNoRecordsMessage(false); // told as no categories
    counting.process().setHandler([this, &categories, &counting, field](RecordFile &) {
        if (categories.add(counting.file().row()[std::size_t(field)]))
            return true;
        ApplicationMessage::show(m_context.messages, GraphCategories::tooComplexText(), MessageIcon::Exclamation);
        return false;
    });
    run(list, counting.process());
    if (!counting.process().reachedEnd())
        return nullptr;
    if (categories.isEmpty()) {
        ApplicationMessage::show(m_context.messages, GraphCategories::noCategoriesText(categories.column().header),
                                 MessageIcon::Exclamation);
        return nullptr;
    }
    auto *window = new GraphWindow(std::move(categories), GraphPreferences(m_context.settings), m_context.dialogs,
                                   m_context.messages, *m_printers, &list);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &GraphWindow::helpRequested, this, &ListTools::helpRequested);
    window->show();
    return window;
}

bool ListTools::print(BrowseList &list, bool preview)
{
    const std::vector<BrowseColumn> columns = list.visibleColumns();
    const QFont font = list.view()->font();
    const ListPrint::Header header{{m_context.clock.today(), m_context.clock.now()},
                                   font.family(),
                                   font.pointSize(),
                                   list.orderDescription(),
                                   list.filterDescription()};
    ListPrint listPrint(titleOf(list), columns, header, m_context.messages);
    ListProcess printing(list.file(), m_context.clock, list.currentWalk(), fieldsOf(columns));
    printing.process().setHandler(listPrint.report().handler());
    if (run(list, printing.process()) != RequestCompleted)
        return false;
    if (!listPrint.document().finish()) {
        ApplicationMessage::show(m_context.messages,
                                 u"The report's pages could not be written to the temporary folder."_s,
                                 MessageIcon::Exclamation);
        return false;
    }
    if (!preview)
        return printDirectly(list, listPrint.document());
    ReportPreview window(listPrint.document(), *m_printers, m_context.dialogs, m_context.messages, &list);
    window.exec();
    return window.printed();
}

bool ListTools::printDirectly(BrowseList &list, const ReportDocument &document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(titleOf(list));
    if (!m_printers->choose(printer, document.pageCount()))
        return false;
    QList<int> pages;
    for (int page = 1; page <= document.pageCount(); ++page)
        pages.append(page);
    if (ReportRenderer(document).print(printer, pages))
        return true;
    ApplicationMessage::show(m_context.messages, u"The report could not be printed."_s, MessageIcon::Exclamation);
    return false;
}

bool ListTools::exportList(BrowseList &list, bool html)
{
    const std::vector<BrowseColumn> columns = list.visibleColumns();
    ListExport file(html ? ListExport::Format::Html : ListExport::Format::Csv, columns, titleOf(list),
                    m_context.exportFolder, m_context.messages);
    if (!file.open())
        return false;
    ListProcess exporting(list.file(), m_context.clock, list.currentWalk(), fieldsOf(columns));
    exporting.process().setNoRecordsMessage(false); // an empty list is an export with its header only
    exporting.process().setHandler(file.handler());
    run(list, exporting.process());
    if (!file.finish(exporting.process().reachedEnd()))
        return false;
    if (m_opener(QUrl::fromLocalFile(file.path())))
        return true;
    ApplicationMessage::show(m_context.messages, ListExport::launchErrorText(file.path()), MessageIcon::Exclamation);
    return false;
}

bool ListTools::output(BrowseList &list)
{
    const QPixmap image = list.placedWindow()->grab();
    if (image.isNull())
        return false;
    QGuiApplication::clipboard()->setPixmap(image);
    return true;
}

void ListTools::attach(BrowseList *list, ListTools *tools)
{
    connect(list, &BrowseList::graphRequested, tools, [list, tools](int column) { tools->graphOn(*list, column); });
    connect(list, &BrowseList::printRequested, tools, [list, tools](bool preview) { tools->print(*list, preview); });
    connect(list, &BrowseList::exportRequested, tools, [list, tools](bool html) { tools->exportList(*list, html); });
    connect(list, &BrowseList::outputRequested, tools, [list, tools] { tools->output(*list); });
    connect(tools, &ListTools::helpRequested, list, &ProcedureWindow::helpRequested);
    connect(list, &BrowseList::preferencesRequested, tools, [list, tools] {
        const Context &context = tools->m_context;
        static_cast<void>(
            GraphPreferencesWindow::edit(list, context.settings, context.dialogs, context.messages,
                                         [list](const QString &topic) { Q_EMIT list->helpRequested(topic); }));
    });
}

ListTools *ListTools::personalise(BrowseList *list, const Context &context)
{
    list->enablePersonalisation(context.messages, context.dialogs);
    auto *tools = new ListTools(context, list);
    attach(list, tools);
    return tools;
}

FormResponse ListTools::run(BrowseList &list, ProgressProcess &process)
{
    return ProgressWindow(process, &list).run();
}

QString ListTools::titleOf(BrowseList &list)
{
    const QString title = list.placedWindow()->windowTitle();
    return title.isEmpty() ? list.procedureName() : title;
}

std::vector<int> ListTools::fieldsOf(const std::vector<BrowseColumn> &columns)
{
    std::vector<int> fields;
    for (const BrowseColumn &column : columns)
        fields.push_back(column.field);
    return fields;
}

} // namespace vellum
