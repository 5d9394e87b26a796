#pragma once
// What a record form decides, apart from its window: which requests it takes, how OK saves
// (insert, or a watched update with its retry question), how Cancel guards unsaved changes,
// and the history area that Ctrl+' reads. The window copies its controls into the buffer
// before OK and Cancel, and refreshes them when told that the buffer holds the stored record.

#include "FormRequest.h"
#include "store/Value.h"

#include <optional>

namespace vellum {

class FileRelations;
class RecordFile;

class FormController {
public:
    // The cancel action's bits; the default offers to save and asks first.
    enum CancelBits { CancelOfferSave = 1, CancelAskFirst = 2 };
    static constexpr int DefaultCancelAction = CancelOfferSave | CancelAskFirst;

    struct Rules {
        bool insertAllowed = true;
        bool changeAllowed = true;
        bool deleteAllowed = true;
        int cancelAction = DefaultCancelAction;
    };

    // What the window does next.
    enum class Step {
        Show,       // opening: the window appears
        Close,      // the form is done; response() says how
        Stay,       // the form stays open as it is
        ShowStored, // the form stays open and shows the buffer (the other station's version)
    };

    explicit FormController(FileRelations &primary);
    ~FormController();
    FormController(const FormController &) = delete;
    FormController &operator=(const FormController &) = delete;

    void setRules(const Rules &rules) { m_rules = rules; }
    const Rules &rules() const { return m_rules; }
    FileRelations &primary() const { return m_primary; }
    RecordFile &file() const;

    // For insert the caller has primed the record; for change and delete it has read it with a watch.
    Step open(FormRequest request);
    // The buffer holds what the controls show.
    Step ok();
    Step cancel();

    FormRequest request() const { return m_request; }
    FormRequest openingRequest() const { return m_openingRequest; }
    FormResponse response() const { return m_response; }
    // True when the buffer differs from the snapshot taken at opening (or after a concurrency failure).
    bool changed() const;

    // The field the last OK was refused for (a key field left empty), for the window to put the
    // focus there; -1 when none.
    int invalidField() const { return m_invalidField; }

    // The value the field held when OK was last pressed; none before the first OK.
    std::optional<store::Value> historyValue(int field) const;

private:
    Step refuse(int errorId);
    Step insert();
    Step change();
    Step remove();
    Step closeWithout();
    Step close();
    Step cancelChanges();
    void takeSnapshot();
    void noteInvalidField();

    FileRelations &m_primary;
    Rules m_rules;
    FormRequest m_request = NoRequest;
    FormRequest m_openingRequest = NoRequest;
    FormResponse m_response = RequestCancelled;
    int m_snapshot = 0;
    store::Row m_history;
    int m_invalidField = -1;
};

} // namespace vellum
