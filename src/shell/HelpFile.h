#pragma once
// The help file qvl2a.hlp shipped with the program: one HTML file whose topics are sections
// <section id="anchor" data-topic="Topic Name">...</section>. Windows open it at a topic by name;
// links between topics point to a section's anchor ("#logon").

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>

namespace vellum {

class HelpFile {
public:
    static constexpr QLatin1StringView FileName{"qvl2a.hlp"};

    // The topics the windows open.
    static constexpr QLatin1StringView Contents{"Contents"};
    static constexpr QLatin1StringView ConfiguringTopic{"Configuring Quor Vellum"};
    static constexpr QLatin1StringView LogonTopic{"Logon"};
    static constexpr QLatin1StringView PasswordTopic{"Password and Signature"};
    static constexpr QLatin1StringView UsingHelpTopic{"How to Use Help"};
    static QStringList windowTopics();

    // Next to the program first, then in the installed data folder, then in the source tree's
    // resources; empty when none has it.
    static QString locate();

    // Reads the file; an unreadable file has no topics.
    explicit HelpFile(const QString &path);

    const QString &path() const { return m_path; }
    bool isLoaded() const { return !m_topics.isEmpty(); }
    QStringList topics() const; // in the file's order
    // Topic names are found without regard to letter case.
    bool contains(const QString &topic) const;
    // The topic as a page of its own, with the file's style; empty when there is no such topic.
    QString topicHtml(const QString &topic) const;
    // The topic's words as the reader sees them: no markup, entities as their characters, single blanks.
    QString topicText(const QString &topic) const;
    // The topic that a link "#anchor" leads to; empty when none.
    QString topicOfAnchor(const QString &anchor) const;

private:
    struct Topic {
        QString anchor;
        QString name;
        QString body;
    };

    void parse(const QString &html);
    const Topic *find(const QString &topic) const;

    QString m_path;
    QString m_style;
    QList<Topic> m_topics;
};

} // namespace vellum
