#include "AutomatedCase.h"

#include "cases/ActivityView.h"
#include "cases/CaseForm.h"
#include "cases/CaseFormLauncher.h"
#include "cases/CaseQueue.h"
#include "shell/FrameMenus.h"
#include "shell/MainFrame.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int PollMs = 50;
constexpr int PatienceMs = 20000;

// What an agent does in a field: types the text and leaves it.
void type(QWidget *parent, const QString &field, const QString &text)
{
    if (auto *entry = parent->findChild<QLineEdit *>(field)) {
        entry->setFocus();
        entry->setText(text);
        entry->setModified(true);
        Q_EMIT entry->editingFinished();
    } else if (auto *choice = parent->findChild<QComboBox *>(field)) {
        choice->setEditText(text);
    }
}

QStringList caseNumbers(const QTableView *list)
{
    QStringList numbers;
    const QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row)
        numbers.append(model->index(row, 1).data().toString().trimmed());
    return numbers;
}

} // namespace

AutomatedCase::AutomatedCase(MainFrame *frame, const QString &script, Note note, std::function<void()> done)
    : QObject(frame), m_frame(frame), m_client(script.section(u':', 0, 0)), m_product(script.section(u':', 1, 1)),
      m_problem(script.section(u':', 2)), m_note(std::move(note)), m_done(std::move(done))
{
}

void AutomatedCase::start()
{
    m_frame->menus().action(MenuItem::Cases)->trigger();
    when([this] { return m_frame->findChild<CaseQueue *>(); }, u"case queue"_s,
         [this](QWidget *queue) { insertCase(queue); });
}

void AutomatedCase::when(const std::function<QWidget *()> &find, const QString &what,
                         const std::function<void(QWidget *)> &action)
{
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    auto *poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, waited, find, what, action] {
        if (QWidget *found = find(); found != nullptr && found->isVisible()) {
            poll->deleteLater();
            action(found);
        } else if (waited->elapsed() > PatienceMs) {
            poll->deleteLater();
            m_note(u"failed"_s, u"no "_s + what);
            m_done();
        }
    });
    poll->start(PollMs);
}

void AutomatedCase::insertCase(QWidget *queue)
{
    queue->findChild<QPushButton *>(u"insert"_s)->click();
    when([this] { return static_cast<QWidget *>(m_frame->caseForms().openForm()); }, u"case form"_s,
         [this](QWidget *form) { fillForm(form); });
}

void AutomatedCase::fillForm(QWidget *form)
{
    m_note(u"case"_s, form->findChild<QLineEdit *>(u"CaseNr"_s)->text());
    type(form, u"SName"_s, m_client);
    type(form, u"Product"_s, m_product);
    type(form, u"SProblem"_s, m_problem);
    static_cast<CaseForm *>(form)->okButton()->click();
    when([this]() -> QWidget * { return m_frame->caseForms().openForm() == nullptr ? m_frame : nullptr; },
         u"closed case form"_s, [this](QWidget *) { openQueues(); });
}

void AutomatedCase::openQueues()
{
    m_frame->menus().action(MenuItem::Queues)->trigger();
    when([this] { return m_frame->findChild<ActivityView *>(); }, u"activity view"_s,
         [this](QWidget *view) { noteLists(view); });
}

void AutomatedCase::noteLists(QWidget *view)
{
    const auto *activity = static_cast<ActivityView *>(view);
    m_note(u"waiting"_s, caseNumbers(activity->waitingList()).join(u' '));
    m_note(u"late"_s, caseNumbers(activity->lateList()).join(u' '));
    m_done();
}

} // namespace vellum
