#include "HelpWindow.h"

#include "HelpSearch.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QWidget *frameOf(QWidget *widget)
{
    while (widget != nullptr && widget->parentWidget() != nullptr)
        widget = widget->parentWidget();
    return widget;
}

QList<HelpWindow *> helpWindowsOf(QWidget *frame)
{
    if (frame != nullptr)
        return frame->findChildren<HelpWindow *>();
    QList<HelpWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<HelpWindow *>(widget))
            found.append(help);
    }
    return found;
}

} // namespace

void HelpWindow::showTopic(QWidget *parent, const QString &topic)
{
    HelpWindow *window = openWindow(parent);
    window->m_search->clear();
    window->display(topic);
    window->present();
}

void HelpWindow::showSearch(QWidget *parent)
{
    HelpWindow *window = openWindow(parent);
    if (window->m_browser->document()->isEmpty())
        window->display(HelpFile::Contents);
    window->present();
    window->m_search->setFocus();
    window->m_search->selectAll();
}

void HelpWindow::present()
{
    show();
    raise();
    activateWindow();
}

// The window hangs below the asking window, so that it stays usable while a modal window runs.
HelpWindow *HelpWindow::openWindow(QWidget *parent)
{
    QWidget *host = parent != nullptr ? parent->window() : nullptr;
    const QList<HelpWindow *> open = helpWindowsOf(frameOf(parent));
    if (open.isEmpty())
        return new HelpWindow(host);
    HelpWindow *window = open.first();
    if (window->parentWidget() != host)
        window->setParent(host, Qt::Window);
    return window;
}

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_file(HelpFile::locate()), m_search(new QLineEdit), m_found(new QLabel),
      m_topicList(new QListWidget), m_browser(new QTextBrowser)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Quor Vellum Help"_s);
    m_browser->setOpenLinks(false);

    auto *splitter = new QSplitter;
    splitter->addWidget(topicPane());
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(760, 520);

    search(QString());
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::search);
    connect(m_topicList, &QListWidget::currentTextChanged, this, &HelpWindow::display);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
}

QWidget *HelpWindow::topicPane()
{
    m_search->setObjectName(u"search"_s);
    m_search->setPlaceholderText(u"Words to find"_s);
    m_search->setClearButtonEnabled(true);
    m_found->setObjectName(u"found"_s);
    auto *label = new QLabel(u"&Search for:"_s);
    label->setBuddy(m_search);
    auto *pane = new QWidget;
    auto *column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(label);
    column->addWidget(m_search);
    column->addWidget(m_found);
    column->addWidget(m_topicList, 1);
    return pane;
}

// The list holds every topic while nothing is asked, else the topics found, best first.
void HelpWindow::search(const QString &phrase)
{
    const bool asked = !phrase.trimmed().isEmpty();
    const QStringList topics = asked ? HelpSearch(m_file).find(phrase) : m_file.topics();
    {
        const QSignalBlocker blocker(m_topicList);
        m_topicList->clear();
        m_topicList->addItems(topics);
    }
    m_found->setVisible(asked);
    m_found->setText(topics.isEmpty()     ? u"No topic holds these words."_s
                     : topics.size() == 1 ? u"1 topic found"_s
                                          : u"%1 topics found"_s.arg(topics.size()));
}

void HelpWindow::display(const QString &topic)
{
    if (!m_file.isLoaded()) {
        m_browser->setHtml(u"<p>The help file %1 was not found.</p>"_s.arg(HelpFile::FileName));
        return;
    }
    const QString shown = m_file.contains(topic) ? topic : QString(HelpFile::Contents);
    m_browser->setHtml(m_file.topicHtml(shown));
    const QList<QListWidgetItem *> items = m_topicList->findItems(shown, Qt::MatchFixedString);
    if (!items.isEmpty()) {
        const QSignalBlocker blocker(m_topicList);
        m_topicList->setCurrentItem(items.first());
    }
}

void HelpWindow::followLink(const QUrl &url)
{
    if (url.isRelative() && url.hasFragment()) {
        if (const QString topic = m_file.topicOfAnchor(url.fragment()); !topic.isEmpty())
            display(topic);
        return;
    }
    QDesktopServices::openUrl(url);
}

} // namespace vellum
