#pragma once
// The help viewer: the topics of qvl2a.hlp in a list beside the shown topic, and above the list
// a search that keeps only the topics holding the words typed. One per frame; asking for help
// again shows the new topic in the window already open.

#include "HelpFile.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QUrl;

namespace vellum {

class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    // Opens (or brings to the front) the help window of parent's frame at the topic.
    static void showTopic(QWidget *parent, const QString &topic);
    // Opens (or brings to the front) the help window with the cursor in its search field.
    static void showSearch(QWidget *parent);

    explicit HelpWindow(QWidget *parent = nullptr);

    void display(const QString &topic);

private:
    static HelpWindow *openWindow(QWidget *parent);
    void present();
    QWidget *topicPane();
    void search(const QString &phrase);
    void followLink(const QUrl &url);

    HelpFile m_file;
    QLineEdit *m_search;
    QLabel *m_found;
    QListWidget *m_topicList;
    QTextBrowser *m_browser;
};

} // namespace vellum
