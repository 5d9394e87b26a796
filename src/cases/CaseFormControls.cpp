#include "CaseFormControls.h"

#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "framework/widgets/FormWindow.h"
#include "framework/widgets/NamedButton.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = CaseRecord::Col;

struct NoteCaption {
    CaseEvent event;
    QString button;
    QString item;
};

// In the order of the "&Action" menu.
const std::array<NoteCaption, CaseFormControls::NoteKinds> &noteCaptions()
{
    static const std::array<NoteCaption, CaseFormControls::NoteKinds> captions{{
        {CaseEvent::ReviewNote, u"&Notes"_s, u"&Notes"_s},
        {CaseEvent::OutgoingEmail, u"&Email Out"_s, u"&Email Out"_s},
        {CaseEvent::IncomingEmail, u"E&mail In "_s, u"E&mail In"_s},
        {CaseEvent::OutgoingCall, u"Phone &Out"_s, u"Phone &Out"_s},
        {CaseEvent::IncomingCall, u"Phone &In"_s, u"Phone &In"_s},
    }};
    return captions;
}

QLineEdit *newEntry(const QString &name, const QString &tip = {}, bool readOnly = false)
{
    auto *entry = new QLineEdit;
    entry->setObjectName(name);
    entry->setToolTip(tip);
    entry->setReadOnly(readOnly);
    return entry;
}

// The work area's windows, arranged as the frame's own "&Window" menu does; nothing for a form on its own.
void arrangeWorkArea(QWidget &form, void (QMdiArea::*arrange)())
{
    for (QWidget *parent = form.parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (auto *area = qobject_cast<QMdiArea *>(parent)) {
            (area->*arrange)();
            return;
        }
    }
}

QPushButton *newButton(const QString &text, const QString &name, const QString &tip = {})
{
    QPushButton *button = namedButton(name, text);
    button->setToolTip(tip);
    return button;
}

QComboBox *newChoice(const QString &name, const QStringList &items, const QString &tip)
{
    auto *choice = new QComboBox;
    choice->setObjectName(name);
    choice->addItems(items);
    choice->setToolTip(tip);
    return choice;
}

QWidget *labelled(const QString &caption, QWidget *control)
{
    auto *label = new QLabel(caption);
    label->setBuddy(control);
    return label;
}

} // namespace

void CaseFormControls::addTo(FormWindow &form)
{
    addClientRows(form);
    addCaseRows(form);
    addEscalationRows(form);
    addButtons(form);
    addMenu(form);
}

void CaseFormControls::addClientRows(FormWindow &form)
{
    caseNr = newEntry(u"CaseNr"_s, {}, true);
    form.addField(u"Case Nr:"_s, caseNr);

    client = newEntry(u"SName"_s);
    viewDetails = newButton(u"..."_s, u"viewDetails"_s, u"View Details"_s);
    form.addField(u"Client ID"_s, FormWindow::sideBySide({client, viewDetails}));
    form.bindings().text(Col::SName, client);
    clientName = newEntry(u"LName"_s, {}, true);
    form.addField(u"Client Name"_s, clientName);
    form.bindings().text(Col::LName, clientName);
    phone = newEntry(u"Phone"_s, {}, true);
    form.addField(u"Phone"_s, phone);
    form.bindings().text(Col::Phone, phone);

    product = newEntry(u"Product"_s, u"Product Name"_s);
    form.addField(u"Product"_s, product);
    form.bindings().text(Col::Product, product);
    productId = newEntry(u"IDProduct"_s, {}, true);
    form.addField(u"Product ID"_s, productId);
    form.bindings().text(Col::IDProduct, productId);
}

void CaseFormControls::addCaseRows(FormWindow &form)
{
    problem = newChoice(u"SProblem"_s, {}, u"Problem Description"_s);
    problem->setMinimumContentsLength(40);
    form.addField(u"Problem"_s, problem);
    form.bindings().choice(Col::SProblem, problem);

    priority = newChoice(u"Priority"_s, CaseVocabulary::Priorities, u"Choose Priority"_s);
    prioritySource = new QLabel;
    prioritySource->setObjectName(u"prioritySource"_s);
    priorityRow = FormWindow::sideBySide({priority, prioritySource});
    form.addField(u"Priority Level"_s, priorityRow);
    form.bindings().choice(Col::Priority, priority);

    startDate = new QDateEdit;
    startDate->setObjectName(u"SDate"_s);
    startDate->setDisplayFormat(u"dd/MM/yyyy"_s);
    pickDate = newButton(u"..."_s, u"pickDate"_s, u"Pick Other Date"_s);
    startTime = newEntry(u"STime"_s);
    form.addField(u"Date"_s, FormWindow::sideBySide({startDate, pickDate, labelled(u"Time"_s, startTime), startTime}));
    form.bindings().date(Col::SDate, startDate);
    form.bindings().time(Col::STime, startTime);

    status = newChoice(u"Status"_s, {CaseVocabulary::Active, CaseVocabulary::OnHold, CaseVocabulary::Closed}, {});
    statusRow = FormWindow::sideBySide({labelled(u"Current Status"_s, status), status});
    form.addField(statusRow);
}

void CaseFormControls::addEscalationRows(FormWindow &form)
{
    static const std::array<std::array<QString, 2>, 3> captions{{
        {u"First Esc Date:"_s, u"First Esc Time:"_s},
        {u"Sec Esc Date:"_s, u"Sec Esc Time:"_s},
        {u"Third Esc Date:"_s, u"Third Esc Time:"_s},
    }};
    for (std::size_t level = 0; level < escalation.size(); ++level) {
        EscalationRow &row = escalation[level];
        const QString number = QString::number(level + 1);
        row.date = newEntry(u"escDate"_s + number, {}, true);
        row.time = newEntry(u"escTime"_s + number, {}, true);
        row.done = new QCheckBox(u"Done"_s);
        row.done->setObjectName(u"done"_s + number);
        row.row = FormWindow::sideBySide({labelled(captions[level][0], row.date), row.date,
                                          labelled(captions[level][1], row.time), row.time, row.done});
        form.addField(row.row);
    }
    history = new QPlainTextEdit;
    history->setObjectName(u"History"_s);
    history->setReadOnly(true);
    form.addField(u"Case History"_s, history);
}

void CaseFormControls::addButtons(FormWindow &form)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    // The buttons in the order they stand on the form.
    for (const CaseEvent event : {CaseEvent::IncomingCall, CaseEvent::OutgoingCall, CaseEvent::IncomingEmail,
                                  CaseEvent::OutgoingEmail, CaseEvent::ReviewNote}) {
        for (std::size_t kind = 0; kind < NoteKinds; ++kind) {
            if (noteCaptions()[kind].event != event)
                continue;
            notes[kind].event = event;
            notes[kind].button = newButton(noteCaptions()[kind].button, u"note%1"_s.arg(int(event)));
            layout->addWidget(notes[kind].button);
        }
    }
    yank = newButton(u"&Yank Case"_s, u"yank"_s);
    print = newButton(u"&Print Case"_s, u"print"_s);
    print->setEnabled(false);
    layout->addWidget(yank);
    layout->addWidget(print);
    layout->addStretch();
    form.addField(row);
}

void CaseFormControls::addMenu(FormWindow &form)
{
    menu = new QMenuBar(&form);
    QMenu *windows = menu->addMenu(u"&Window"_s);
    windows->addAction(u"T&ile"_s, &form, [&form] { arrangeWorkArea(form, &QMdiArea::tileSubWindows); });
    windows->addAction(u"&Cascade"_s, &form, [&form] { arrangeWorkArea(form, &QMdiArea::cascadeSubWindows); });
    QMenu *colours = menu->addMenu(u"Colo&r"_s);
    textColor = colours->addAction(u"&Text Color"_s);
    background = colours->addAction(u"&Background"_s);
    helpItem = menu->addAction(u"&Help"_s);
    cancelItem = menu->addAction(u"&Cancel"_s);
    okItem = menu->addAction(u"&OK"_s);
    QMenu *actions = menu->addMenu(u"&Action"_s);
    actions->setObjectName(u"actionMenu"_s);
    for (std::size_t kind = 0; kind < NoteKinds; ++kind)
        notes[kind].item = actions->addAction(noteCaptions()[kind].item);
    yankItem = actions->addAction(u"&Yank"_s);
    printItem = actions->addAction(u"&Print"_s);
    printItem->setEnabled(false);
    form.layout()->setMenuBar(menu);
}

} // namespace vellum
