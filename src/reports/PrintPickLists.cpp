#include "PrintPickLists.h"

#include "data/ClientRecord.h"
#include "data/ProductRecord.h"
#include "data/UserRecord.h"
#include "framework/RecordFile.h"

namespace vellum::PrintPickLists {

namespace {

template<typename R>
QStringList column(store::Database &database, ErrorReporter &errors, int key, QString R::*field)
{
    QStringList entries;
    RecordFileOf<R> file(database, errors, false);
    if (file.open() != RecordResult::Ok)
        return entries;
    file.set(key);
    while (file.next() == RecordResult::Ok)
        entries.append((file.record().*field).trimmed());
    file.close();
    return entries;
}

} // namespace

QStringList agents(store::Database &database, ErrorReporter &errors)
{
    return column<UserRecord>(database, errors, UserRecord::KeyName, &UserRecord::Name);
}

QStringList products(store::Database &database, ErrorReporter &errors)
{
    return column<ProductRecord>(database, errors, ProductRecord::IDProductKey, &ProductRecord::IDProduct);
}

QStringList clients(store::Database &database, ErrorReporter &errors)
{
    return column<ClientRecord>(database, errors, ClientRecord::SNameKey, &ClientRecord::SName);
}

} // namespace vellum::PrintPickLists
