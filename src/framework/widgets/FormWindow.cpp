#include "FormWindow.h"

#include "framework/FileRelations.h"
#include "framework/RecordFile.h"

#include <QApplication>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
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

QPushButton *newButton(const QString &text, const QString &name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

FormWindow::FormWindow(const QString &procedure, FileRelations &primary, SettingsFile &settings, QWidget *parent)
    : ProcedureWindow(procedure, primary.file().errors(), settings, false, parent), m_controller(primary),
      m_bindings(primary.file().table()), m_rows(new QFormLayout), m_ok(newButton(u"&OK"_s, u"ok"_s)),
      m_cancel(newButton(u"&Cancel"_s, u"cancel"_s)), m_help(newButton(u"&Help"_s, u"help"_s))
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

void FormWindow::accept()
{
    if (!controlsAccepted())
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
    const FormController::Step step = m_controller.cancel();
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

bool FormWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (isHistoryKey(event)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            restoreFromHistory(qobject_cast<QWidget *>(watched));
        return true;
    }
    return ProcedureWindow::eventFilter(watched, event);
}

void FormWindow::restoreFromHistory(QWidget *control)
{
    const int field = m_bindings.fieldOf(control);
    if (const std::optional<store::Value> value = m_controller.historyValue(field))
        m_bindings.showValue(field, *value);
}

} // namespace vellum
