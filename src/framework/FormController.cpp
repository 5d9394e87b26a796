#include "FormController.h"

#include "ErrorTable.h"
#include "FileRelations.h"
#include "Messages.h"

namespace vellum {

namespace {

constexpr int OtherFailure = 1;
constexpr int YesNoCancel = ButtonYes | ButtonNo | ButtonCancel;

bool isConcurrencyFailure(int errorId)
{
    return errorId == ErrorId::ChangedByOtherStation || errorId == ErrorId::ChangedByOtherStationForm;
}

} // namespace

FormController::FormController(FileRelations &primary) : m_primary(primary)
{
}

FormController::~FormController() = default;

RecordFile &FormController::file() const
{
    return m_primary.file();
}

FormController::Step FormController::open(FormRequest request)
{
    m_request = request;
    m_openingRequest = request;
    m_response = RequestCancelled;
    m_history.clear();
    switch (request) {
    case InsertRequest:
        if (!m_rules.insertAllowed)
            return refuse(ErrorId::InsertNotAllowed);
        break;
    case ChangeRequest:
        if (!m_rules.changeAllowed)
            return refuse(ErrorId::UpdateNotAllowed);
        break;
    case DeleteRequest:
        if (!m_rules.deleteAllowed)
            return refuse(ErrorId::DeleteNotAllowed);
        return remove();
    default:
        break;
    }
    takeSnapshot();
    return Step::Show;
}

FormController::Step FormController::refuse(int errorId)
{
    file().throwError(errorId);
    return Step::Close;
}

FormController::Step FormController::remove()
{
    m_response = m_primary.deleteRecord(true) == RecordResult::Ok ? RequestCompleted : RequestCancelled;
    return Step::Close;
}

void FormController::noteInvalidField()
{
    m_invalidField = file().lastError() == ErrorId::KeyFieldEmpty ? file().emptyKeyField() : -1;
}

void FormController::takeSnapshot()
{
    if (m_snapshot != 0)
        file().discardBuffer(m_snapshot);
    m_snapshot = file().saveBuffer();
}

bool FormController::changed() const
{
    return m_snapshot != 0 && !file().equalBuffer(m_snapshot);
}

std::optional<store::Value> FormController::historyValue(int field) const
{
    if (field < 0 || std::size_t(field) >= m_history.size())
        return std::nullopt;
    return m_history[std::size_t(field)];
}

FormController::Step FormController::ok()
{
    m_history = file().buffer();
    m_invalidField = -1;
    switch (m_request) {
    case InsertRequest:
        return insert();
    case ChangeRequest:
        return change();
    default:
        m_response = RequestCompleted;
        return close();
    }
}

// A failed insert has shown its message and leaves the user's input (and the placeholder) in place.
FormController::Step FormController::insert()
{
    if (file().insert() != RecordResult::Ok) {
        noteInvalidField();
        return Step::Stay;
    }
    m_response = RequestCompleted;
    return close();
}

FormController::Step FormController::change()
{
    if (!changed()) {
        m_response = RequestCompleted;
        return close();
    }
    for (;;) {
        const int result = m_primary.update(true);
        if (result == RecordResult::Ok) {
            m_response = RequestCompleted;
            return close();
        }
        const int error = file().lastError();
        if (result != OtherFailure) {
            // Only after this write's own conflict does the buffer hold the stored version: what
            // the user changes is measured from it then. A deleted record keeps the user's values.
            if (isConcurrencyFailure(error))
                takeSnapshot();
            return error == ErrorId::RecordDeleted ? Step::Stay : Step::ShowStored;
        }
        // Asking to save again is no help while a key field is empty: the user fills it in first.
        if (error == ErrorId::KeyFieldEmpty) {
            noteInvalidField();
            return Step::Stay;
        }
        switch (file().errors().message(ErrorId::UpdateAgain, YesNoCancel, ButtonCancel)) {
        case ButtonYes:
            continue;
        case ButtonNo:
            return closeWithout();
        default:
            return Step::Stay;
        }
    }
}

FormController::Step FormController::cancel()
{
    if (m_response == RequestCompleted)
        return Step::Close;
    const bool editing = m_request == InsertRequest || m_request == ChangeRequest;
    if (editing && changed())
        return cancelChanges();
    return closeWithout();
}

FormController::Step FormController::cancelChanges()
{
    const bool offerSave = (m_rules.cancelAction & CancelOfferSave) != 0;
    const bool askFirst = (m_rules.cancelAction & CancelAskFirst) != 0;
    if (offerSave && !askFirst)
        return ok();
    if (offerSave) {
        switch (file().errors().message(ErrorId::SaveRecord, YesNoCancel, ButtonCancel)) {
        case ButtonYes:
            return ok();
        case ButtonNo:
            return closeWithout();
        default:
            return Step::Stay;
        }
    }
    if (file().throwError(ErrorId::CancelChanges) != int(ErrorSeverity::Silent))
        return Step::Stay;
    return closeWithout();
}

// Closing without saving gives back the number a new record had taken.
FormController::Step FormController::closeWithout()
{
    if (m_request == InsertRequest && file().cancelAutoNumber() != RecordResult::Ok)
        return Step::Stay;
    m_response = RequestCancelled;
    return close();
}

FormController::Step FormController::close()
{
    if (m_snapshot != 0)
        file().discardBuffer(m_snapshot);
    m_snapshot = 0;
    return Step::Close;
}

} // namespace vellum
