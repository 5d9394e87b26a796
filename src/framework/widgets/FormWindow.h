#pragma once
// The one shell of every record form: its fields in rows above "&OK" and "&Cancel" (and
// "&Help" when it has a topic), opened for a request on the record its caller put in the
// buffer. A form only lays out and binds its controls and says which requests it takes; what
// OK, Cancel and closing do is decided by FormController. Enter presses the default button
// ("&OK", or the button that has the focus) and Escape presses "&Cancel". Ctrl+' in a bound
// control puts back the value it held when OK was last pressed. A time or date entry left half
// typed is named in a message and keeps the focus, when it is left and when OK is pressed.
//
//     auto *form = new FormWindow(u"UpdateThing"_s, relations, settings);
//     form->setCaptions(u"Adding a Thing"_s, u"Changing a Thing"_s);
//     form->addField(u"Name"_s, nameEntry);
//     form->bindings().text(ThingRecord::Col::Name, nameEntry);
//     connect(form, &ProcedureWindow::finished, this, &Caller::formDone);
//     form->open(ChangeRequest, this);

#include "FieldBindings.h"
#include "ProcedureWindow.h"
#include "framework/FormController.h"

#include <QPointer>

#include <functional>
#include <initializer_list>

class QFocusEvent;
class QFormLayout;
class QPushButton;

namespace vellum {

class FileRelations;

class FormWindow : public ProcedureWindow {
    Q_OBJECT

public:
    FormWindow(const QString &procedure, FileRelations &primary, SettingsFile &settings, QWidget *parent = nullptr);
    ~FormWindow() override;

    // Captions by request; an empty one keeps the window's title.
    void setCaptions(const QString &insertCaption, const QString &changeCaption);
    void setRules(const FormController::Rules &rules) { m_controller.setRules(rules); }
    // Whether the user logged on now may save with this form: asked when the form gets the focus
    // (OK is enabled by it) and again when OK is pressed. Without it every user may.
    using SaveRight = std::function<bool()>;
    void setSaveRight(SaveRight right) { m_saveRight = std::move(right); }
    FieldBindings &bindings() { return m_bindings; }
    QFormLayout *fieldRows() const { return m_rows; }
    void addField(const QString &label, QWidget *control);
    void addField(QWidget *control); // a row without a label
    // Controls side by side, as one control of a row.
    static QWidget *sideBySide(std::initializer_list<QWidget *> controls);

    // Opens the form for the request beside its caller (see ProcedureWindow::showBeside), or
    // answers it without showing the window (a delete, a refused request). True when shown;
    // either way finished(response) follows when the form is done.
    bool open(FormRequest request, QWidget *caller = nullptr);
    // Runs the form as a modal window and returns its response.
    int exec(FormRequest request);

    FormController &controller() { return m_controller; }
    RecordFile &file() const;
    FormRequest request() const { return m_controller.request(); }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

public Q_SLOTS:
    void accept(); // "&OK"
    void reject(); // "&Cancel"

protected:
    // Before the request is taken: a form may read its own record or answer another request than
    // the one given; false answers RequestCancelled without showing the window.
    virtual bool beforeOpen(FormRequest *) { return true; }
    // Checks the controls before OK saves; false keeps the form open (the check has told the user).
    virtual bool controlsAccepted() { return true; }
    // Fields that follow from others, after the controls were stored into the record.
    virtual void completeRecord(store::Row *) {}
    // After the controls were filled from the record.
    virtual void recordShown() {}

    bool mayClose() override;
    void applyRights() override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    void showRecord();
    // The controls into the record in the buffer (and the fields that follow from them).
    void storeControls();

private:
    bool maySave() const;
    void growToContents();
    bool entriesAcceptable();
    void entryLeft(QWidget *control, const QFocusEvent *event);
    void refuseEntry(QWidget *control, const QString &range);
    QString labelOf(QWidget *control) const;
    void nameFields();
    void follow(FormController::Step step);
    void restoreFromHistory(QWidget *control);
    QString caption(FormRequest request) const;

    FormController m_controller;
    SaveRight m_saveRight;
    FieldBindings m_bindings;
    QString m_insertCaption;
    QString m_changeCaption;
    QFormLayout *m_rows;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_help;
    QPointer<QWidget> m_leftUnacceptable; // an entry left half typed, told about once the focus has moved
};

} // namespace vellum
