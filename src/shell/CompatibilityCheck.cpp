#include "CompatibilityCheck.h"

#include "DatabaseLocator.h"
#include "ProgramFolder.h"
#include "data/RecordFiles.h"
#include "data/SystemRecord.h"
#include "framework/ApplicationMessage.h"
#include "store/Database.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString Incompatible =
    u"Databasefile(s) of Quor Vellum 1.1 are incompatible with this\r\nnewer version of Quor Vellum - Shutting down!"_s;

bool createdWhenMissing(const store::TableDefinition &table)
{
    const auto files = allRecordFiles();
    const auto found =
        std::find_if(files.begin(), files.end(), [&](const RecordFileInfo &file) { return file.table == &table; });
    return found != files.end() && found->createIfMissing;
}

} // namespace

CompatibilityCheck::CompatibilityCheck(SettingsFile &settings, Messages &messages, const ProgramFolder &programFolder)
    : m_settings(settings), m_messages(messages), m_programFolder(programFolder)
{
}

bool CompatibilityCheck::passes(const QString &databaseFolder)
{
    if (compatible(databaseFolder))
        return true;
    ApplicationMessage::show(m_messages, Incompatible, MessageIcon::Error);
    DatabaseLocator::storeFolder(m_settings, m_programFolder.localDatabaseFolder());
    return false;
}

bool CompatibilityCheck::compatible(const QString &databaseFolder)
{
    // A connection of its own, closed again at once: the configuration file alone is tested.
    store::Database database(databaseFolder);
    const store::TableDefinition &table = SystemRecord::table();
    store::StoreStatus opened = database.open(table, store::OpenMode::ReadWrite, createdWhenMissing(table));
    if (opened.code == store::StoreCode::AccessDenied)
        opened = database.open(table, store::OpenMode::ReadOnly, false);
    if (opened.code == store::StoreCode::LayoutMismatch || opened.code == store::StoreCode::Corrupt)
        return false;
    if (!opened)
        return true; // not a question of layout: opening the record files reports it
    std::vector<store::StoredField> stored;
    return database.storedLayout(table, &stored) && stored == store::Database::layoutOf(table);
}

} // namespace vellum
