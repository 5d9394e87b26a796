// The graph preferences window over a real settings file: the choices made in it stored on Ok
// (names kept, numbers for other colours, a family this desktop lacks and a stored weight kept),
// Default and Cancel leaving the file as it was, help, and a file that cannot be written.

#include "framework/SettingsFile.h"
#include "framework/widgets/GraphPreferencesWindow.h"

#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedDialogs;
using vellum::test::ScriptedMessages;

namespace {

void click(QWidget *window, const QString &name)
{
    auto *button = window->findChild<QAbstractButton *>(name);
    QVERIFY2(button != nullptr, qPrintable(name));
    button->click();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestGraphPreferencesWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void storesTheChoices();
    void defaultAndCancelLeaveTheFile();
    void unwritableFileIsNotStored();

private:
    QTemporaryDir m_dir;
};

void TestGraphPreferencesWindow::storesTheChoices()
{
    const QString path = m_dir.filePath(u"choices.ini"_s);
    SettingsFile settings(path);
    QVERIFY(settings.writeText(GraphPreferences::Section, u"Col03"_s, u"red"_s));
    QVERIFY(settings.writeText(GraphPreferences::Section, u"FontName"_s, u"No Such Family"_s));
    QVERIFY(settings.writeNumber(GraphPreferences::Section, u"FontStyle"_s, 600));
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    GraphPreferencesWindow window(settings, dialogs, messages);
    QStringList topics;
    connect(&window, &GraphPreferencesWindow::helpRequested, this, [&](const QString &topic) { topics.append(topic); });

    dialogs.answerColor(0x123456);
    click(&window, u"Col02"_s);
    dialogs.cancelColor();
    click(&window, u"Col05"_s);
    dialogs.answerColor(0x0000FF);
    click(&window, u"FontColor"_s);
    window.findChild<QSpinBox *>(u"FontSize"_s)->setValue(12);
    window.findChild<QCheckBox *>(u"italic"_s)->setChecked(true);
    click(&window, u"help"_s);
    click(&window, u"ok"_s);

    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(topics, QStringList{GraphPreferencesWindow::HelpTopic});
    QVERIFY2(dialogs.failures().isEmpty(), qPrintable(dialogs.unexpected()));
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    const SettingsFile stored(path);
    const QStringList expected{u"Col02=1193046"_s, u"Col03=Red"_s,     u"Col05=Purple"_s,  u"FontName=No Such Family"_s,
                               u"FontSize=12"_s,   u"FontColor=Red"_s, u"FontStyle=4696"_s};
    for (const QString &entry : expected)
        QCOMPARE(stored.readText(GraphPreferences::Section, entry.section(u'=', 0, 0)), entry.section(u'=', 1));
}

void TestGraphPreferencesWindow::defaultAndCancelLeaveTheFile()
{
    const QString path = m_dir.filePath(u"cancel.ini"_s);
    SettingsFile settings(path);
    QVERIFY(settings.writeText(GraphPreferences::Section, u"Col01"_s, u"Aqua"_s));
    QVERIFY(settings.writeText(GraphPreferences::Section, u"FontSize"_s, u"20"_s));
    const QByteArray before = contents(path);
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    GraphPreferencesWindow window(settings, dialogs, messages);
    QVERIFY(window.values() == GraphPreferences(settings));

    click(&window, u"default"_s);
    QVERIFY(window.values() == GraphPreferences());
    click(&window, u"cancel"_s);
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(contents(path), before);
}

void TestGraphPreferencesWindow::unwritableFileIsNotStored()
{
    // A regular file where the folder should be makes every write fail.
    const QString blocker = m_dir.filePath(u"blocker"_s);
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    SettingsFile settings(blocker + u"/vellum12.ini"_s);
    ScriptedDialogs dialogs;
    ScriptedMessages messages;
    messages.expect(u"could not be written"_s, ButtonOk);

    // Ok stays in the window after telling the user; only Cancel leaves it.
    QTimer::singleShot(0, this, [] {
        QWidget *window = QApplication::activeModalWidget();
        QVERIFY(window != nullptr);
        click(window, u"ok"_s);
        QVERIFY(window->isVisible());
        click(window, u"cancel"_s);
    });
    QVERIFY(!GraphPreferencesWindow::edit(nullptr, settings, dialogs, messages));
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
}

QTEST_MAIN(TestGraphPreferencesWindow)
#include "TestGraphPreferencesWindow.moc"
