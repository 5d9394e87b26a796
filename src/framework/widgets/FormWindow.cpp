#include "FormWindow.h"

#include "framework/ErrorTable.h"
#include "framework/FileRelations.h"
#include "framework/RecordFile.h"
#include "framework/widgets/NamedButton.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QEventLoop>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

bool isHistoryKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return key->key() == Qt::Key_Apostrophe && key->modifiers() == Qt::ControlModifier;
}

bool isPlain(const QKeyEvent *key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return isPlain(key) && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

// The user moved on within the window: not a message box or a menu taking the focus for a while.
bool movedOn(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason
           || reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
}

} // namespace

FormWindow::FormWindow(const QString &procedure, FileRelations &primary, SettingsFile &settings, QWidget *parent)
    : ProcedureWindow(procedure, primary.file().errors(), settings, false, parent), m_controller(primary),
      m_bindings(primary.file().table()), m_rows(new QFormLayout), m_ok(namedButton(u"ok"_s, u"&OK"_s)),
      m_cancel(namedButton(u"cancel"_s, u"&Cancel"_s)), m_help(namedButton(u"help"_s, u"&Help"_s))
{
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &FormWindow::accept);
    connect(m_cancel, &QPushButton::clicked, this, &FormWindow::reject);
    connect(m_help, &QPushButton::clicked, this, &FormWindow::requestHelp);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_help);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_rows);
    layout->addStretch();
    layout->addLayout(buttons);
}

FormWindow::~FormWindow() = default;

RecordFile &FormWindow::file() const
{
    return m_controller.file();
}

void FormWindow::setCaptions(const QString &insertCaption, const QString &changeCaption)
{
    m_insertCaption = insertCaption;
    m_changeCaption = changeCaption;
}

void FormWindow::addField(const QString &label, QWidget *control)
{
    m_rows->addRow(label, control);
}

QWidget *FormWindow::sideBySide(std::initializer_list<QWidget *> controls)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *control : controls)
        layout->addWidget(control);
    layout->addStretch();
    return row;
}

void FormWindow::addField(QWidget *control)
{
    m_rows->addRow(control);
}

QString FormWindow::caption(FormRequest request) const
{
    const QString &chosen = request == InsertRequest ? m_insertCaption : m_changeCaption;
    return chosen.isEmpty() ? windowTitle() : chosen;
}

bool FormWindow::open(FormRequest request, QWidget *caller)
{
    enter();
    if (!beforeOpen(&request)) {
        finish(RequestCancelled);
        return false;
    }
    nameFields();
    // The snapshot holds what the controls show, so that only the user's own changes count.
    if (request == InsertRequest || request == ChangeRequest) {
        showRecord();
        storeControls();
    }
    if (m_controller.open(request) != FormController::Step::Show) {
        finish(m_controller.response());
        return false;
    }
    setWindowTitle(caption(request));
    m_help->setVisible(!helpTopic().isEmpty());
    for (QWidget *control : m_bindings.controls()) {
        control->installEventFilter(this);
        for (QWidget *inner : control->findChildren<QWidget *>())
            inner->installEventFilter(this);
    }
    showRecord();
    applyRights();
    showBeside(caller);
    if (QWidget *first = m_bindings.firstControl())
        first->setFocus();
    return true;
}

int FormWindow::exec(FormRequest request)
{
    int response = RequestCancelled;
    bool done = false;
    QEventLoop loop;
    connect(this, &ProcedureWindow::finished, &loop, [&](int answer) {
        response = answer;
        done = true;
        loop.quit();
    });
    setWindowModality(Qt::ApplicationModal);
    if (open(request) && !done)
        loop.exec();
    return response;
}

void FormWindow::showRecord()
{
    m_bindings.show(file().buffer());
    recordShown();
}

void FormWindow::storeControls()
{
    store::Row row = file().buffer();
    m_bindings.store(&row);
    completeRecord(&row);
    file().setBuffer(row);
}

bool FormWindow::maySave() const
{
    return !m_saveRight || m_saveRight();
}

void FormWindow::applyRights()
{
    m_ok->setEnabled(maySave());
}

void FormWindow::accept()
{
    applyRights();
    if (!m_ok->isEnabled() || !entriesAcceptable() || !controlsAccepted())
        return;
    storeControls();
    const FormController::Step step = m_controller.ok();
    if (step == FormController::Step::Close)
        finish(m_controller.response());
    else
        follow(step);
}

void FormWindow::reject()
{
    placedWindow()->close();
}

// Cancel, the close button and closing the frame all come here.
bool FormWindow::mayClose()
{
    storeControls();
    // Whoever may not save is not offered to: the changes are lost after "Changes will be lost!".
    const FormController::Rules rules = m_controller.rules();
    if (!maySave()) {
        FormController::Rules withoutSaving = rules;
        withoutSaving.cancelAction = 0;
        m_controller.setRules(withoutSaving);
    }
    const FormController::Step step = m_controller.cancel();
    m_controller.setRules(rules);
    if (step == FormController::Step::Close) {
        setResponse(m_controller.response());
        return true;
    }
    follow(step);
    return false;
}

// The record layer's messages name a field as the form's label does.
void FormWindow::nameFields()
{
    for (QWidget *control : m_bindings.controls())
        if (const auto *label = qobject_cast<const QLabel *>(m_rows->labelForField(control)))
            file().setFieldLabel(m_bindings.fieldOf(control), label->text());
}

void FormWindow::follow(FormController::Step step)
{
    if (QWidget *invalid = m_bindings.controlOf(m_controller.invalidField())) {
        invalid->setFocus();
        return;
    }
    if (step == FormController::Step::ShowStored) {
        showRecord();
        return;
    }
    // A failed insert keeps the user's input and goes back to the first field.
    if (QWidget *first = m_bindings.firstControl(); first != nullptr && m_controller.request() == InsertRequest)
        first->setFocus();
}

bool FormWindow::event(QEvent *event)
{
    const bool done = ProcedureWindow::event(event);
    if (event->type() == QEvent::LayoutRequest)
        growToContents();
    return done;
}

// Rows shown while the form is open (a product's office day) push the buttons down instead of
// lying over them: the window grows by what its rows lack. A child window of the work area is
// not grown by its layout on its own.
void FormWindow::growToContents()
{
    if (!isVisible())
        return;
    const QSize lacking = (sizeHint().expandedTo(minimumSizeHint()) - size()).expandedTo(QSize(0, 0));
    if (lacking.width() > 0 || lacking.height() > 0) {
        QWidget *window = placedWindow();
        window->resize(window->size() + lacking);
    }
}

bool FormWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (isHistoryKey(event)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            restoreFromHistory(qobject_cast<QWidget *>(watched));
        return true;
    }
    auto *control = qobject_cast<QWidget *>(watched);
    // Enter is taken here: a date entry would otherwise put back its last valid date first.
    if (isEnter(event) && !m_bindings.unacceptable(control).isEmpty()) {
        refuseEntry(control, m_bindings.unacceptable(control));
        return true;
    }
    if (event->type() == QEvent::FocusOut && !m_bindings.unacceptable(control).isEmpty()) {
        entryLeft(control, static_cast<QFocusEvent *>(event));
        // A spin box leaving the focus puts back its last valid value: what was typed stays instead.
        return qobject_cast<QAbstractSpinBox *>(control) != nullptr;
    }
    return ProcedureWindow::eventFilter(watched, event);
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    if (isEnter(event)) {
        // As in every dialog: a button with the focus is pressed itself, otherwise the default one.
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        QPushButton *pressed = focused != nullptr && isAncestorOf(focused) ? focused : m_ok;
        if (pressed->isVisible() && pressed->isEnabled())
            pressed->click();
        return;
    }
    if (event->key() == Qt::Key_Escape && isPlain(event)) {
        reject();
        return;
    }
    ProcedureWindow::keyPressEvent(event);
}

// Leaving a half typed entry for another control of the form brings it back with a message;
// "&Cancel" and other windows may take the focus without one.
void FormWindow::entryLeft(QWidget *control, const QFocusEvent *event)
{
    QWidget *now = QApplication::focusWidget();
    if (!movedOn(event->reason()) || now == nullptr || now == m_cancel || !isAncestorOf(now))
        return;
    m_leftUnacceptable = control;
    QTimer::singleShot(0, this, [this] {
        QWidget *left = m_leftUnacceptable;
        if (left == nullptr || !isOpen())
            return;
        if (const QString range = m_bindings.unacceptable(left); !range.isEmpty())
            refuseEntry(left, range);
    });
}

bool FormWindow::entriesAcceptable()
{
    QString range;
    QWidget *control = m_bindings.firstUnacceptable(&range);
    if (control == nullptr)
        return true;
    refuseEntry(control, range);
    return false;
}

void FormWindow::refuseEntry(QWidget *control, const QString &range)
{
    m_leftUnacceptable = nullptr;
    control->setFocus(); // the message box gives the focus back to it
    errors().setField(labelOf(control));
    errors().throwMessage(ErrorId::MustBeInRange, range);
    errors().setField({});
    errors().setMessage({});
    control->setFocus();
}

// The text of the row's label, without its mnemonic and colon: "Response :" names "Response".
QString FormWindow::labelOf(QWidget *control) const
{
    for (QWidget *row = control; row != nullptr && row != this; row = row->parentWidget()) {
        if (const auto *label = qobject_cast<QLabel *>(m_rows->labelForField(row))) {
            QString text = label->text().remove(u'&').trimmed();
            if (text.endsWith(u':'))
                text.chop(1);
            return text.trimmed();
        }
    }
    return control->objectName();
}

void FormWindow::restoreFromHistory(QWidget *control)
{
    const int field = m_bindings.fieldOf(control);
    if (const std::optional<store::Value> value = m_controller.historyValue(field))
        m_bindings.showValue(field, *value);
}

} // namespace vellum
