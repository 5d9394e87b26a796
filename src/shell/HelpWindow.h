#pragma once
// The help viewer: the topics of qvl2a.hlp in a list beside the shown topic. One per frame;
// asking for help again shows the new topic in the window already open.

#include "HelpFile.h"

#include <QWidget>

class QListWidget;
class QTextBrowser;
class QUrl;

namespace vellum {

class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    // Opens (or brings to the front) the help window of parent's frame at the topic.
    static void showTopic(QWidget *parent, const QString &topic);

    explicit HelpWindow(QWidget *parent = nullptr);

    void display(const QString &topic);

private:
    static HelpWindow *openWindow(QWidget *parent);
    void fillTopicList();
    void followLink(const QUrl &url);

    HelpFile m_file;
    QListWidget *m_topicList;
    QTextBrowser *m_browser;
};

} // namespace vellum
