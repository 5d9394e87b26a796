#pragma once
// The single-case report: the case block with its labels, the three escalations with their
// "Done" boxes (ticked when the action flag is "D"), then the history, one line per line.
// Current cases and knowledge-base cases print alike; a current case's priority is labelled
// "Current Priority".

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace vellum {

struct CaseReportFields {
    struct Escalation {
        std::int32_t date = 0;
        std::int32_t time = 0;
        QString action;
    };

    std::uint32_t CaseNr = 0;
    QString LName;
    QString SName;
    QString Phone;
    QString Product;
    QString IDProduct;
    QString SProblem;
    QString Owner;
    QString Status;
    QString Priority;
    std::int32_t SDate = 0;
    std::int32_t STime = 0;
    std::array<Escalation, 3> escalations;
    QString History;

    // From a case or a knowledge-base case, whose fields have the same names.
    template<typename R>
    static CaseReportFields of(const R &r)
    {
        return {r.CaseNr,
                r.LName,
                r.SName,
                r.Phone,
                r.Product,
                r.IDProduct,
                r.SProblem,
                r.Owner,
                r.Status,
                r.Priority,
                r.SDate,
                r.STime,
                {{{r.FirstEscDate, r.FirstEscTime, r.FirstAction},
                  {r.SecEscDate, r.SecEscTime, r.SecAction},
                  {r.ThirdEscDate, r.ThirdEscTime, r.ThirdAction}}},
                r.History};
    }
};

namespace CaseReportLayout {

enum class Source { CurrentCase, KnowledgeBase };

QString title(std::uint32_t caseNr);
QStringList lines(const CaseReportFields &fields, Source source);

} // namespace CaseReportLayout

} // namespace vellum
