#include "SystemOptionsWindow.h"

#include "HelpFile.h"
#include "HelpWindow.h"
#include "data/Workstation.h"
#include "framework/DateTime.h"
#include "framework/widgets/WindowPlacer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr bool Resizable = false;

QCheckBox *checkBox(const QString &caption, const QString &tip)
{
    auto *box = new QCheckBox(caption);
    box->setToolTip(tip);
    return box;
}

QLineEdit *folderField(const QString &tip)
{
    auto *field = new QLineEdit;
    field->setReadOnly(true);
    field->setToolTip(tip);
    field->setMinimumWidth(220);
    return field;
}

QLabel *serverNote(const QString &text)
{
    auto *note = new QLabel(text);
    note->setWordWrap(true);
    note->setMaximumWidth(300);
    return note;
}

void showDays(QSpinBox *entry, int days)
{
    const QSignalBlocker blocker(entry);
    if (entry->value() != days)
        entry->setValue(days);
}

void showTime(QTimeEdit *entry, std::int32_t time)
{
    const QSignalBlocker blocker(entry);
    const QTime shown = DateTime::toTime(time);
    entry->setTime(shown.isValid() ? shown : QTime(0, 0));
}

void showCheck(QCheckBox *box, bool on)
{
    const QSignalBlocker blocker(box);
    box->setChecked(on);
}

// A stored code outside the choices leaves every choice unchecked.
void showChoice(QButtonGroup *group, int id)
{
    const QSignalBlocker blocker(group);
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(group->id(button) == id);
    group->setExclusive(true);
}

} // namespace

SystemOptionsWindow::SystemOptionsWindow(Workstation &workstation, QWidget *parent)
    : QDialog(parent), m_workstation(workstation), m_options(workstation)
{
    setWindowTitle(u"System Options"_s);
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    buildDatabaseGroup(left);
    buildLogGroup(left);
    buildDeletionGroup(left);
    buildBackupGroup(right);
    buildChoiceGroups(right);
    left->addStretch();
    right->addStretch();

    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto *window = new QVBoxLayout(this);
    window->addLayout(columns);
    window->addLayout(buildButtons());
    window->setSizeConstraint(QLayout::SetFixedSize);

    m_options.open();
    refresh();
    connectEdits();
    WindowPlacer::restore(this, m_workstation.settings(), QString(SystemOptions::ProcedureName), Resizable);
}

SystemOptionsWindow::~SystemOptionsWindow() = default;

void SystemOptionsWindow::done(int result)
{
    m_options.close();
    WindowPlacer::store(this, m_workstation.settings(), QString(SystemOptions::ProcedureName), Resizable);
    QDialog::done(result);
}

QGroupBox *SystemOptionsWindow::addGroup(Group group, const QString &title, QVBoxLayout *column)
{
    auto *box = new QGroupBox(title);
    new QVBoxLayout(box);
    column->addWidget(box);
    m_groups[group] = box;
    return box;
}

QWidget *SystemOptionsWindow::addRow(Group group, const QString &label, QWidget *field)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!label.isEmpty())
        layout->addWidget(new QLabel(label));
    layout->addWidget(field);
    layout->addStretch();
    m_groups.at(group)->layout()->addWidget(row);
    return row;
}

QWidget *SystemOptionsWindow::addShownRow(Control control, Group group, const QString &label, QWidget *field)
{
    QWidget *row = addRow(group, label, field);
    m_shownRows[control] = row;
    return row;
}

QSpinBox *SystemOptionsWindow::dayEntry()
{
    auto *entry = new QSpinBox;
    entry->setRange(0, 99);
    return entry;
}

QTimeEdit *SystemOptionsWindow::timeEntry()
{
    auto *entry = new QTimeEdit;
    entry->setDisplayFormat(u"HH:mm"_s);
    return entry;
}

QButtonGroup *SystemOptionsWindow::choiceGroup(Group group, const QStringList &captions)
{
    auto *choices = new QButtonGroup(this);
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (qsizetype i = 0; i < captions.size(); ++i) {
        auto *button = new QRadioButton(captions[i]);
        choices->addButton(button, int(i) + 1); // the stored codes count from 1
        layout->addWidget(button);
    }
    layout->addStretch();
    m_groups.at(group)->layout()->addWidget(row);
    return choices;
}

QLabel *SystemOptionsWindow::derivedText(Group group)
{
    auto *text = new QLabel;
    m_groups.at(group)->layout()->addWidget(text);
    return text;
}

void SystemOptionsWindow::buildDatabaseGroup(QVBoxLayout *column)
{
    addGroup(Group::Database, u"Database"_s, column);
    auto *select = new QPushButton(u"..."_s);
    select->setToolTip(u"Select DataBase"_s);
    connect(select, &QPushButton::clicked, this, [this] {
        m_options.chooseDatabaseFolder();
        refresh();
    });
    m_databaseFolder = folderField(u"Current DataBase Path"_s);
    addRow(Group::Database, {}, m_databaseFolder)->layout()->addWidget(select);
}

void SystemOptionsWindow::buildLogGroup(QVBoxLayout *column)
{
    addGroup(Group::ActivityLog, u"Activity Log"_s, column);
    m_keepLog = checkBox(u" &Keep Log"_s, {});
    addRow(Group::ActivityLog, {}, m_keepLog);
    m_logDays = dayEntry();
    addShownRow(Control::LogDays, Group::ActivityLog, u"Number of Days"_s, m_logDays);
    m_logText = derivedText(Group::ActivityLog);
}

void SystemOptionsWindow::buildDeletionGroup(QVBoxLayout *column)
{
    addGroup(Group::ClosedCases, u"Closed Cases"_s, column);
    m_deleteClosed = checkBox(u" &Delete"_s, u"Delete Closed Cases"_s);
    addRow(Group::ClosedCases, {}, m_deleteClosed);
    m_deleteDays = dayEntry();
    addShownRow(Control::DeleteDays, Group::ClosedCases, u"Number of days after closure"_s, m_deleteDays);
    m_deletionServer = checkBox(u" &Server"_s, u"This PC act only as a server"_s);
    addShownRow(Control::DeletionServer, Group::ClosedCases, {}, m_deletionServer)
        ->layout()
        ->addWidget(serverNote(SystemOptions::deletionServerNote()));
    m_deleteTime = timeEntry();
    addShownRow(Control::DeleteTime, Group::ClosedCases, u"Delete Time"_s, m_deleteTime);
    m_deletionText = derivedText(Group::ClosedCases);
}

void SystemOptionsWindow::buildBackupGroup(QVBoxLayout *column)
{
    addGroup(Group::BackUpFiles, u"BackUp Files"_s, column);
    m_doBackup = checkBox(u" &Backup files:"_s, u"Check to make backup files"_s);
    addRow(Group::BackUpFiles, {}, m_doBackup);
    m_backupDays = dayEntry();
    addShownRow(Control::BackupDays, Group::BackUpFiles, u"Number of Days"_s, m_backupDays);
    m_backupServer = checkBox(u" S&erver"_s, u"This PC is a Server"_s);
    addShownRow(Control::BackupServer, Group::BackUpFiles, {}, m_backupServer)
        ->layout()
        ->addWidget(serverNote(SystemOptions::backupServerNote()));
    m_backupTime = timeEntry();
    addShownRow(Control::BackupTime, Group::BackUpFiles, u"BackUp Time"_s, m_backupTime);

    auto *select = new QPushButton(u"........"_s);
    connect(select, &QPushButton::clicked, this, [this] {
        m_options.chooseBackupFolder();
        refresh();
    });
    m_backupFolder = folderField(u"Current BackUp Path"_s);
    QWidget *row = addShownRow(Control::BackupFolder, Group::BackUpFiles, {}, select);
    auto *layout = static_cast<QHBoxLayout *>(row->layout());
    layout->insertWidget(1, new QLabel(u" Backup path"_s));
    layout->insertWidget(2, m_backupFolder);
    m_backupText = derivedText(Group::BackUpFiles);
}

void SystemOptionsWindow::buildChoiceGroups(QVBoxLayout *column)
{
    addGroup(Group::ProblemDescription, u"Problem Description"_s, column);
    m_problemChoice = choiceGroup(Group::ProblemDescription, {u"Select"_s, u"Free"_s});
    addGroup(Group::SortUserQueues, u"Sort User Queues "_s, column);
    m_queueSort = choiceGroup(Group::SortUserQueues, {u"SLA"_s, u"Priority"_s, u"Both"_s});
    addGroup(Group::RefreshQueues, u"Refresh Queues"_s, column);
    m_refreshInterval = choiceGroup(Group::RefreshQueues, {u"30 Sec"_s, u"1 min"_s, u"90 sec"_s});
}

QLayout *SystemOptionsWindow::buildButtons()
{
    auto *ok = new QPushButton(u"&OK"_s);
    auto *cancel = new QPushButton(u"&Cancel"_s);
    auto *help = new QPushButton(u"&Help"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_options.save();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { HelpWindow::showTopic(this, QString(HelpFile::ConfiguringTopic)); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    return buttons;
}

void SystemOptionsWindow::connectEdits()
{
    const auto check = [this](QCheckBox *box, void (SystemOptions::*set)(bool)) {
        connect(box, &QCheckBox::toggled, this, [this, set](bool on) {
            (m_options.*set)(on);
            refresh();
        });
    };
    const auto days = [this](QSpinBox *entry, void (SystemOptions::*set)(int)) {
        connect(entry, &QSpinBox::valueChanged, this, [this, set](int value) {
            (m_options.*set)(value);
            refresh();
        });
    };
    const auto timeOfDay = [this](QTimeEdit *entry, void (SystemOptions::*set)(std::int32_t)) {
        connect(entry, &QTimeEdit::timeChanged, this, [this, set](QTime value) {
            (m_options.*set)(DateTime::timeValue(value));
            refresh();
        });
    };
    const auto choice = [this](QButtonGroup *group, void (SystemOptions::*set)(int)) {
        connect(group, &QButtonGroup::idClicked, this, [this, set](int id) {
            (m_options.*set)(id);
            refresh();
        });
    };
    check(m_keepLog, &SystemOptions::setKeepLog);
    days(m_logDays, &SystemOptions::setLogDays);
    check(m_deleteClosed, &SystemOptions::setDeleteClosed);
    days(m_deleteDays, &SystemOptions::setDeleteDays);
    check(m_deletionServer, &SystemOptions::setDeletionServer);
    timeOfDay(m_deleteTime, &SystemOptions::setDeleteTime);
    check(m_doBackup, &SystemOptions::setDoBackup);
    days(m_backupDays, &SystemOptions::setBackupDays);
    check(m_backupServer, &SystemOptions::setBackupServer);
    timeOfDay(m_backupTime, &SystemOptions::setBackupTime);
    choice(m_problemChoice, &SystemOptions::setProblemChoice);
    choice(m_queueSort, &SystemOptions::setQueueSort);
    choice(m_refreshInterval, &SystemOptions::setRefreshInterval);
}

void SystemOptionsWindow::refresh()
{
    showValues();
    showTexts();
    showStates();
}

void SystemOptionsWindow::showValues()
{
    m_databaseFolder->setText(m_options.databaseFolder());
    showCheck(m_keepLog, m_options.keepLog());
    showDays(m_logDays, m_options.logDays());
    showCheck(m_deleteClosed, m_options.deleteClosed());
    showDays(m_deleteDays, m_options.deleteDays());
    showCheck(m_deletionServer, m_options.deletionServer());
    showTime(m_deleteTime, m_options.deleteTime());
    showCheck(m_doBackup, m_options.doBackup());
    showDays(m_backupDays, m_options.backupDays());
    showCheck(m_backupServer, m_options.backupServer());
    showTime(m_backupTime, m_options.backupTime());
    m_backupFolder->setText(m_options.backupFolder());
    showChoice(m_problemChoice, m_options.problemChoice());
    showChoice(m_queueSort, m_options.queueSort());
    showChoice(m_refreshInterval, m_options.refreshInterval());
}

void SystemOptionsWindow::showTexts()
{
    m_logText->setText(m_options.logRetentionText());
    m_deletionText->setText(m_options.deletionText());
    m_backupText->setText(m_options.backupText());
}

void SystemOptionsWindow::showStates()
{
    for (const auto &[group, box] : m_groups)
        box->setEnabled(m_options.isEnabled(group));
    for (const auto &[control, row] : m_shownRows)
        row->setVisible(m_options.isShown(control));
    // Each derived text goes with its number of days.
    m_logText->setVisible(m_options.isShown(Control::LogDays));
    m_deletionText->setVisible(m_options.isShown(Control::DeleteDays));
    m_backupText->setVisible(m_options.isShown(Control::BackupDays));
}

} // namespace vellum
