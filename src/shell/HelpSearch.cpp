#include "HelpSearch.h"

#include "HelpFile.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int NameHitWeight = 100;

int hits(const QString &text, const QRegularExpression &wordStart)
{
    int count = 0;
    for (auto match = wordStart.globalMatch(text); match.hasNext(); match.next())
        ++count;
    return count;
}

} // namespace

QStringList HelpSearch::find(const QString &phrase) const
{
    static const QRegularExpression separators(u"\\W+"_s, QRegularExpression::UseUnicodePropertiesOption);
    QList<QRegularExpression> words;
    for (const QString &word : phrase.split(separators, Qt::SkipEmptyParts))
        words.append(QRegularExpression(u"\\b"_s + QRegularExpression::escape(word),
                                        QRegularExpression::CaseInsensitiveOption
                                            | QRegularExpression::UseUnicodePropertiesOption));
    if (words.isEmpty())
        return {};
    QList<std::pair<int, QString>> ranked;
    for (const QString &topic : m_file.topics()) {
        if (const int score = rank(topic, words); score > 0)
            ranked.append({score, topic});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    QStringList found;
    for (const auto &[score, topic] : std::as_const(ranked))
        found.append(topic);
    return found;
}

int HelpSearch::rank(const QString &topic, const QList<QRegularExpression> &words) const
{
    const QString text = m_file.topicText(topic);
    int score = 0;
    for (const QRegularExpression &word : words) {
        const int found = hits(text, word) + NameHitWeight * hits(topic, word);
        if (found == 0)
            return 0;
        score += found;
    }
    return score;
}

} // namespace vellum
