#include "HelpWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>

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
    window->display(topic);
    window->show();
    window->raise();
    window->activateWindow();
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
    : QWidget(parent, Qt::Window), m_file(HelpFile::locate()), m_topicList(new QListWidget),
      m_browser(new QTextBrowser)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(u"Quor Vellum Help"_s);
    m_browser->setOpenLinks(false);

    auto *splitter = new QSplitter;
    splitter->addWidget(m_topicList);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    resize(760, 520);

    fillTopicList();
    connect(m_topicList, &QListWidget::currentTextChanged, this, &HelpWindow::display);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
}

void HelpWindow::fillTopicList()
{
    m_topicList->addItems(m_file.topics());
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
