#pragma once
// What a list edited in its own rows decides, apart from its window: one text field of a record
// is typed in the list row. Escape throws the edit away; Enter, Tab and the arrow keys store
// without asking (an insert, or an update through the relations so that linked records follow);
// an unchanged row stores nothing; a failed store keeps the row in edit; losing the focus in the
// middle of a changed edit asks "Save Record" with Yes as the default.

#include <QString>

namespace vellum {

class FileRelations;
class RecordFile;

class RowEditController {
public:
    enum class Ending { Escape, Enter, Tab, Up, Down, FocusLost };

    enum class Outcome {
        Discarded, // nothing was stored (thrown away, unchanged, or "No" at the question)
        Stored,    // the record was written; the buffer holds it as stored
        Editing,   // the row stays in edit (a failed store, or Cancel at the question)
    };

    RowEditController(FileRelations &primary, int field);
    ~RowEditController();
    RowEditController(const RowEditController &) = delete;
    RowEditController &operator=(const RowEditController &) = delete;

    RecordFile &file() const;
    int field() const { return m_field; }

    // A new record: the buffer is primed; false when priming failed (the message has been shown).
    bool beginInsert();
    // The record in the buffer was just read with a watch.
    void beginChange();

    bool isEditing() const { return m_mode != Mode::None; }
    bool isInserting() const { return m_mode == Mode::Insert; }
    // True while a store or the question runs: a focus change it causes is no ending.
    bool isBusy() const { return m_busy; }
    // The field's text as the edit started.
    QString startText() const;

    // Ends the edit with the row's text; Editing keeps the edit going.
    Outcome end(Ending ending, const QString &text);

private:
    enum class Mode { None, Insert, Change };

    Outcome store();
    Outcome discard();
    Outcome askToSave();
    void finish();

    FileRelations &m_primary;
    int m_field;
    Mode m_mode = Mode::None;
    int m_snapshot = 0;
    bool m_busy = false;
};

} // namespace vellum
