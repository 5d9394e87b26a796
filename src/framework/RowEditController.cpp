#include "RowEditController.h"

#include "ErrorTable.h"
#include "FileRelations.h"
#include "Messages.h"

namespace vellum {

namespace {

// Clears the flag again however the store or the question ends.
class BusyScope {
public:
    explicit BusyScope(bool &busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool &m_busy;
};

} // namespace

RowEditController::RowEditController(FileRelations &primary, int field) : m_primary(primary), m_field(field)
{
}

RowEditController::~RowEditController()
{
    if (m_snapshot != 0)
        file().discardBuffer(m_snapshot);
}

RecordFile &RowEditController::file() const
{
    return m_primary.file();
}

bool RowEditController::beginInsert()
{
    if (file().primeRecord() != RecordResult::Ok)
        return false;
    m_mode = Mode::Insert;
    m_snapshot = file().saveBuffer();
    return true;
}

void RowEditController::beginChange()
{
    m_mode = Mode::Change;
    m_snapshot = file().saveBuffer();
}

QString RowEditController::startText() const
{
    return store::asText(file().buffer()[std::size_t(m_field)]);
}

RowEditController::Outcome RowEditController::end(Ending ending, const QString &text)
{
    if (!isEditing())
        return Outcome::Discarded;
    if (ending == Ending::Escape)
        return discard();
    store::Row row = file().buffer();
    row[std::size_t(m_field)] = text;
    file().setBuffer(row);
    if (file().equalBuffer(m_snapshot))
        return discard();
    return ending == Ending::FocusLost ? askToSave() : store();
}

RowEditController::Outcome RowEditController::askToSave()
{
    int answer = ButtonCancel;
    {
        const BusyScope busy(m_busy);
        answer = file().errors().message(ErrorId::SaveRecord, ButtonYes | ButtonNo | ButtonCancel, ButtonYes);
    }
    switch (answer) {
    case ButtonYes:
        return store();
    case ButtonNo:
        return discard();
    default:
        return Outcome::Editing;
    }
}

// A failed store has shown its message; the user's text stays in the row.
RowEditController::Outcome RowEditController::store()
{
    const BusyScope busy(m_busy);
    const int result = m_mode == Mode::Insert ? file().insert() : m_primary.update(false);
    if (result != RecordResult::Ok)
        return Outcome::Editing;
    finish();
    return Outcome::Stored;
}

// A new record gives back whatever number it had taken.
RowEditController::Outcome RowEditController::discard()
{
    if (m_mode == Mode::Insert && file().cancelAutoNumber() != RecordResult::Ok)
        return Outcome::Editing;
    file().restoreBuffer(m_snapshot);
    finish();
    return Outcome::Discarded;
}

void RowEditController::finish()
{
    file().discardBuffer(m_snapshot);
    m_snapshot = 0;
    m_mode = Mode::None;
}

} // namespace vellum
