#pragma once
// "&Search for Help On...": the topics of the help file that hold every word asked for, the
// best first. A word is found where a word of the topic starts with it, without regard to
// letter case; a hit in the topic's name counts most, then how often the words occur.

#include <QList>
#include <QStringList>

class QRegularExpression;

namespace vellum {

class HelpFile;

class HelpSearch {
public:
    explicit HelpSearch(const HelpFile &file) : m_file(file) {}

    // In the file's order among topics of equal rank; none for a phrase without words.
    QStringList find(const QString &phrase) const;

private:
    // 0 when a word is missing from the topic; each word is the start of a word to find.
    int rank(const QString &topic, const QList<QRegularExpression> &words) const;

    const HelpFile &m_file;
};

} // namespace vellum
