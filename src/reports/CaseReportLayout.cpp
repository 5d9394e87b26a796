#include "CaseReportLayout.h"

#include "ListReportRules.h"

#include "framework/DateTime.h"

using namespace Qt::StringLiterals;

namespace vellum::CaseReportLayout {

namespace {

constexpr int LabelWidth = 17; // the longest label and a blank
constexpr int ValueWidth = 52;
const std::array<QString, 3> EscalationLabels{u"Esc. 1 "_s, u"Esc. 2"_s, u"Esc. 3"_s};

QString labelled(const QString &label, const QString &value)
{
    return label.leftJustified(LabelWidth) + value;
}

// Two labelled values on one line.
QString pair(const QString &label, const QString &value, const QString &label2, const QString &value2)
{
    return labelled(label, value).leftJustified(LabelWidth + ValueWidth) + labelled(label2, value2);
}

QString escalation(const QString &label, const CaseReportFields::Escalation &level)
{
    const QString box = level.action == u"D"_s ? u"[X]"_s : u"[ ]"_s;
    return labelled(label, DateTime::formatDate(level.date)).leftJustified(LabelWidth + 12) + u"Time  "_s
           + DateTime::formatTime(level.time).leftJustified(8) + box + u" Done"_s;
}

} // namespace

QString title(std::uint32_t caseNr)
{
    return u"Report of Case Nr. "_s + QString::number(caseNr);
}

QStringList lines(const CaseReportFields &f, Source source)
{
    const QString priority = source == Source::CurrentCase ? u"Current Priority"_s : u"Priority"_s;
    QStringList out{
        pair(u"Case Nr."_s, u"%1"_s.arg(qulonglong(f.CaseNr), 6, 10, QChar(u'0')), u"Full Name"_s, f.LName),
        pair(u"Name"_s, f.SName, u"Ph."_s, f.Phone),
        pair(u"Product"_s, f.Product, u"ID."_s, f.IDProduct),
        labelled(u"Problem"_s, f.SProblem),
        pair(u"Agent"_s, f.Owner, u"Current Status"_s, f.Status),
        labelled(priority, f.Priority),
        pair(u"Start Date"_s, DateTime::formatDate(f.SDate), u"Start Time"_s, DateTime::formatTime(f.STime)),
        QString(),
    };
    for (std::size_t level = 0; level < f.escalations.size(); ++level)
        out.append(escalation(EscalationLabels.at(level), f.escalations.at(level)));
    out.append(QString());
    const QString history = QString(f.History).replace(u"\r\n"_s, u"\n"_s);
    for (const QString &line : history.split(u'\n'))
        out.append(line);
    while (!out.isEmpty() && out.constLast().isEmpty())
        out.removeLast();
    for (QString &line : out)
        line = ListReportRules::unpadded(line);
    return out;
}

} // namespace vellum::CaseReportLayout
