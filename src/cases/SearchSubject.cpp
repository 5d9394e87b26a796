#include "SearchSubject.h"

#include "data/ArchiveRecord.h"
#include "data/CaseRecord.h"

#include <array>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using C = CaseRecord::Col;
using A = ArchiveRecord::Col;

const std::array<SearchSubject, 7> &subjectTable()
{
    static const std::array<SearchSubject, 7> subjects{{
        {1, u"Case &Nr."_s, {}, C::CaseNr, A::CaseNr, true},
        {2, u"Client I&D"_s, u"Client ID"_s, C::SName, A::SName, false},
        {3, u"C&lient Name"_s, u"Client Name"_s, C::LName, A::LName, false},
        {4, u"Product &ID"_s, u"Product ID"_s, C::IDProduct, A::IDProduct, false},
        {5, u"&Pro&duct"_s, u"Product"_s, C::Product, A::Product, false},
        {6, u"&Problem"_s, u"Problem"_s, C::SProblem, A::SProblem, false},
        {7, u"&Case History"_s, u"Case History"_s, C::History, A::History, false},
    }};
    return subjects;
}

} // namespace

std::span<const SearchSubject> SearchSubjects::all()
{
    return subjectTable();
}

std::optional<SearchSubject> SearchSubjects::byNumber(int number)
{
    if (number < 1 || number > int(subjectTable().size()))
        return std::nullopt;
    return subjectTable()[std::size_t(number - 1)];
}

SearchScope searchScopeOf(const QString &text)
{
    if (text == u"1"_s)
        return SearchScope::Cases;
    if (text == u"2"_s)
        return SearchScope::Archive;
    return SearchScope::Both;
}

} // namespace vellum
