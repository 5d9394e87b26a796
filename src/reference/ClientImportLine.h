#pragma once
// One line of an address-book export as the client import uses it: 29 columns by position (the
// ones past the end of a short line are empty), mapped onto the client's fields and cut to their
// widths. A line is no record when its quoting is broken, when a text holds a semicolon, a double
// quote or a single quote (a file saved with other separators), or when all four name columns are
// empty (there is nobody to match it with).

#include "data/ClientRecord.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace vellum {

struct ClientImportLine {
    QString fullName;    // company, else last, first or display name; 50 characters
    QString displayName; // as the error log names the line
    QString contact;
    QString emailText; // as the error log names the line
    QString Email;
    QString Phone;
    QString Address;
    QString ZIPCode;
    QString City;
    QString State;
    QString Phone2;
    QString Fax;
    QString Remarks;

    static std::optional<ClientImportLine> read(QStringView line);
    // The phone, address, ZIP code, city, state, mobile, fax and remarks: what the import changes
    // of a client it finds.
    void copyContactData(ClientRecord &client) const;
};

} // namespace vellum
