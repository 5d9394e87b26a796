#include "ListPrint.h"

#include "ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

ListPrint::ListPrint(const QString &title, std::vector<BrowseColumn> columns, const Header &header, Messages &messages)
    : m_document(title, header.printedAt, ApplicationMessage::Title), m_report(m_document, std::move(columns), messages)
{
    m_document.setHeaderLines(headerLines(header));
}

QStringList ListPrint::headerLines(const Header &header)
{
    const QString date = DateTime::toDate(header.printedAt.day).toString(u"dd/MM/yyyy"_s);
    return {
        u"Date: "_s + date + u"   Time: "_s + DateTime::formatHourMinute(header.printedAt.time),
        u"Font: "_s + header.font + u"   Size: "_s + QString::number(header.size),
        u"Order: "_s + header.order,
        u"Filter: "_s + header.filter,
    };
}

} // namespace vellum
