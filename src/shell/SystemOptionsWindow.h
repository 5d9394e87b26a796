#pragma once
// The system options window (UpdateSysOptions): lays out the option groups and forwards every
// change to SystemOptions, which decides what is shown, what may change and what is written.

#include "SystemOptions.h"

#include <QDialog>

#include <map>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimeEdit;
class QVBoxLayout;

namespace vellum {

class Workstation;

class SystemOptionsWindow final : public QDialog {
    Q_OBJECT

public:
    SystemOptionsWindow(Workstation &workstation, QWidget *parent = nullptr);
    ~SystemOptionsWindow() override;

    void done(int result) override;

private:
    using Group = SystemOptions::Group;
    using Control = SystemOptions::Control;

    QGroupBox *addGroup(Group group, const QString &title, QVBoxLayout *column);
    QWidget *addRow(Group group, const QString &label, QWidget *field);
    QWidget *addShownRow(Control control, Group group, const QString &label, QWidget *field);
    QSpinBox *dayEntry();
    QTimeEdit *timeEntry();
    QButtonGroup *choiceGroup(Group group, const QStringList &captions);
    QLabel *derivedText(Group group);

    void buildDatabaseGroup(QVBoxLayout *column);
    void buildLogGroup(QVBoxLayout *column);
    void buildDeletionGroup(QVBoxLayout *column);
    void buildBackupGroup(QVBoxLayout *column);
    void buildChoiceGroups(QVBoxLayout *column);
    QLayout *buildButtons();
    void connectEdits();

    // After every change: values, derived texts, what is shown and what may change.
    void refresh();
    void showValues();
    void showTexts();
    void showStates();

    Workstation &m_workstation;
    SystemOptions m_options;
    std::map<Group, QGroupBox *> m_groups;
    std::map<Control, QWidget *> m_shownRows;

    QLineEdit *m_databaseFolder = nullptr;
    QCheckBox *m_keepLog = nullptr;
    QSpinBox *m_logDays = nullptr;
    QLabel *m_logText = nullptr;
    QCheckBox *m_deleteClosed = nullptr;
    QSpinBox *m_deleteDays = nullptr;
    QCheckBox *m_deletionServer = nullptr;
    QTimeEdit *m_deleteTime = nullptr;
    QLabel *m_deletionText = nullptr;
    QCheckBox *m_doBackup = nullptr;
    QSpinBox *m_backupDays = nullptr;
    QCheckBox *m_backupServer = nullptr;
    QTimeEdit *m_backupTime = nullptr;
    QLineEdit *m_backupFolder = nullptr;
    QLabel *m_backupText = nullptr;
    QButtonGroup *m_problemChoice = nullptr;
    QButtonGroup *m_queueSort = nullptr;
    QButtonGroup *m_refreshInterval = nullptr;
};

} // namespace vellum
