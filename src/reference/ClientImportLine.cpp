#include "ClientImportLine.h"

#include "framework/CsvLine.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

// The columns the import reads, by the file's field names, numbered from 0.
enum Column : qsizetype {
    VNAAM = 0,
    ANAAM = 1,
    NAAM = 3,
    EMAIL = 5,
    THUISADRES = 6,
    THUISPLAATS = 7,
    THUISREGIO = 10,
    THUISTEL = 11,
    THUISFAX = 12,
    MOBIEL = 13,
    ADRES = 15,
    PLAATS = 16,
    PC = 17,
    REGIO = 19,
    TEL = 21,
    FAX = 22,
    BEDRIJF = 24,
    REMARK = 28,
};

bool isBlank(const QString &text)
{
    return CsvLine::withoutTrailingBlanks(text).isEmpty();
}

bool holdsSeparator(const QStringList &texts)
{
    for (const QString &text : texts)
        if (text.contains(u';') || text.contains(u'"') || text.contains(u'\''))
            return true;
    return false;
}

class Columns {
public:
    explicit Columns(QStringList fields) : m_fields(std::move(fields)) {}

    QString at(Column column) const { return m_fields.value(column); }
    // The first `width` characters of the column.
    QString first(Column column, qsizetype width) const { return at(column).left(width); }
    // The first `width` characters of the column, else of the other one when it is blank.
    QString firstOf(Column column, Column otherwise, qsizetype width) const
    {
        return first(isBlank(at(column)) ? otherwise : column, width);
    }

private:
    QStringList m_fields;
};

} // namespace

std::optional<ClientImportLine> ClientImportLine::read(QStringView line)
{
    std::optional<QStringList> fields = CsvLine::fields(line);
    if (!fields || holdsSeparator(*fields))
        return std::nullopt;
    const Columns columns(std::move(*fields));
    ClientImportLine mapped;
    for (Column name : {BEDRIJF, ANAAM, VNAAM, NAAM}) {
        if (!isBlank(columns.at(name))) {
            mapped.fullName = CsvLine::withoutTrailingBlanks(columns.first(name, 50));
            break;
        }
    }
    if (mapped.fullName.isEmpty())
        return std::nullopt;
    mapped.displayName = CsvLine::withoutTrailingBlanks(columns.at(NAAM));
    mapped.emailText = CsvLine::withoutTrailingBlanks(columns.at(EMAIL));
    mapped.contact = columns.first(NAAM, 30);
    mapped.Email = columns.first(EMAIL, 100);
    mapped.Phone = columns.firstOf(TEL, THUISTEL, 16);
    mapped.Address = columns.firstOf(ADRES, THUISADRES, 30);
    mapped.ZIPCode = columns.first(PC, 10);
    mapped.City = columns.firstOf(PLAATS, THUISPLAATS, 30);
    mapped.State = columns.firstOf(REGIO, THUISREGIO, 30);
    mapped.Phone2 = columns.first(MOBIEL, 20);
    mapped.Fax = columns.firstOf(FAX, THUISFAX, 30);
    mapped.Remarks = columns.first(REMARK, 255);
    return mapped;
}

void ClientImportLine::copyContactData(ClientRecord &client) const
{
    client.Phone = Phone;
    client.Address = Address;
    client.ZIPCode = ZIPCode;
    client.City = City;
    client.State = State;
    client.Phone2 = Phone2;
    client.Fax = Fax;
    client.Remarks = Remarks;
}

} // namespace vellum
