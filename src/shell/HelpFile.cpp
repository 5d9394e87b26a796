#include "HelpFile.h"

#include "ShippedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace vellum {

QStringList HelpFile::windowTopics()
{
    return {Contents, ConfiguringTopic, LogonTopic, PasswordTopic, UsingHelpTopic};
}

QString HelpFile::locate()
{
    QStringList candidates;
    if (QCoreApplication::instance() != nullptr)
        candidates = ShippedFiles::dataFolders(QCoreApplication::applicationDirPath());
#ifdef VELLUM_HELP_SOURCE
    // A program run from the build tree, before the file was copied beside it.
    candidates.append(QFileInfo(QStringLiteral(VELLUM_HELP_SOURCE)).absolutePath());
#endif
    return ShippedFiles::find(candidates, FileName);
}

HelpFile::HelpFile(const QString &path) : m_path(path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        parse(QString::fromUtf8(file.readAll()));
}

void HelpFile::parse(const QString &html)
{
    static const QRegularExpression style(u"<style[^>]*>.*?</style>"_s,
                                          QRegularExpression::DotMatchesEverythingOption
                                              | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression section(
        u"<section\\s+id=\"([^\"]+)\"\\s+data-topic=\"([^\"]+)\"\\s*>(.*?)</section>"_s,
        QRegularExpression::DotMatchesEverythingOption);
    // A comment may show how a topic is written without being one.
    static const QRegularExpression comment(u"<!--.*?-->"_s, QRegularExpression::DotMatchesEverythingOption);
    const QString text = QString(html).remove(comment);
    m_style = style.match(text).captured(0);
    for (const QRegularExpressionMatch &match : section.globalMatch(text))
        m_topics.append({match.captured(1), match.captured(2), match.captured(3)});
}

QStringList HelpFile::topics() const
{
    QStringList names;
    for (const Topic &topic : m_topics)
        names.append(topic.name);
    return names;
}

bool HelpFile::contains(const QString &topic) const
{
    return find(topic) != nullptr;
}

const HelpFile::Topic *HelpFile::find(const QString &topic) const
{
    for (const Topic &candidate : m_topics) {
        if (candidate.name.compare(topic, Qt::CaseInsensitive) == 0)
            return &candidate;
    }
    return nullptr;
}

QString HelpFile::topicHtml(const QString &topic) const
{
    const Topic *found = find(topic);
    if (found == nullptr)
        return {};
    return u"<html><head><title>%1</title>%2</head><body>%3</body></html>"_s.arg(found->name, m_style, found->body);
}

QString HelpFile::topicText(const QString &topic) const
{
    static const QRegularExpression tag(u"<[^>]*>"_s);
    static const QList<std::pair<QString, QString>> entities{{u"&nbsp;"_s, u" "_s}, {u"&lt;"_s, u"<"_s},
                                                             {u"&gt;"_s, u">"_s},   {u"&quot;"_s, u"\""_s},
                                                             {u"&#39;"_s, u"'"_s},  {u"&amp;"_s, u"&"_s}};
    const Topic *found = find(topic);
    if (found == nullptr)
        return {};
    QString text = QString(found->body).replace(tag, u" "_s);
    // "&amp;" last, so that a written "&amp;lt;" stays "&lt;".
    for (const auto &[entity, character] : entities)
        text.replace(entity, character);
    return text.simplified();
}

QString HelpFile::topicOfAnchor(const QString &anchor) const
{
    for (const Topic &topic : m_topics) {
        if (topic.anchor == anchor)
            return topic.name;
    }
    return {};
}

} // namespace vellum
