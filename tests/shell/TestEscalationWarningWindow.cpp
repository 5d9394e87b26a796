// The escalation warning on its own: what it shows, the frame restored before it opens, what
// each of its three buttons answers, and that the frame's timer refreshes nothing while it is open.

#include "data/Workstation.h"
#include "framework/ApplicationMessage.h"
#include "shell/EscalationWarningWindow.h"
#include "shell/FrameTimer.h"
#include "support/ScriptedDialogs.h"
#include "support/ScriptedMessages.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace vellum;

class TestEscalationWarningWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheWarningOverARestoredFrame();
    void answers_data();
    void answers();
    void noRefreshWhileOpen();
};

void TestEscalationWarningWindow::showsTheWarningOverARestoredFrame()
{
    QMainWindow frame;
    frame.showMinimized();
    EscalationWarningWindow window(&frame);
    const QString longText = u"Case 70001, Fase Esc1, will be overdue now !"_s + QString(300, u'x');
    bool checked = false;
    QTimer::singleShot(0, &window, [&] {
        QVERIFY(window.isVisible());
        QVERIFY(window.isModal());
        QVERIFY(!frame.isMinimized());
        QCOMPARE(window.windowTitle(), ApplicationMessage::Title);
        QCOMPARE(window.textLabel()->text().size(), EscalationWarningWindow::MaxTextLength);
        QVERIFY(window.textLabel()->text().startsWith(u"Case 70001, Fase Esc1, will be overdue now !"_s));
        QCOMPARE(window.caseButton()->text(), u"Case 70001"_s);
        QCOMPARE(window.caseButton()->toolTip(), u"Read Case "_s);
        QCOMPARE(window.iconizeButton()->text(), u"&Iconize Vellum"_s);
        QCOMPARE(window.iconizeButton()->toolTip(), u"Send to Program Bar"_s);
        QCOMPARE(window.closeButton()->text(), u"&Close Window"_s);
        QCOMPARE(window.closeButton()->toolTip(), u"Close Message"_s);
        QVERIFY(!window.findChild<QLabel *>(u"clock"_s)->pixmap().isNull());
        checked = true;
        window.closeButton()->click();
    });
    QCOMPARE(window.present(longText, 70001), WarningPresenter::Choice::Close);
    QVERIFY(checked);
    QVERIFY(!window.isVisible());
}

void TestEscalationWarningWindow::answers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("frameIconized");

    QTest::newRow("close") << u"close"_s << int(WarningPresenter::Choice::Close) << false;
    QTest::newRow("case") << u"case"_s << int(WarningPresenter::Choice::OpenCase) << false;
    QTest::newRow("iconize") << u"iconize"_s << int(WarningPresenter::Choice::Iconize) << true;
    QTest::newRow("escape") << QString() << int(WarningPresenter::Choice::Close) << false;
}

void TestEscalationWarningWindow::answers()
{
    QFETCH(QString, button);
    QFETCH(int, choice);
    QFETCH(bool, frameIconized);

    QMainWindow frame;
    frame.show();
    EscalationWarningWindow window(&frame);
    QTimer::singleShot(0, &window, [&] {
        if (button.isEmpty())
            window.reject();
        else
            window.findChild<QPushButton *>(button)->click();
    });
    QCOMPARE(int(window.present(u"Case 7, Fase Esc2, will be overdue in 00:14 minutes"_s, 7)), choice);
    QCOMPARE(frame.isMinimized(), frameIconized);
}

void TestEscalationWarningWindow::noRefreshWhileOpen()
{
    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(u"vellum12.ini"_s));
    test::ScriptedMessages messages;
    test::ScriptedDialogs dialogs;
    FixedClock clock(80000, 1);
    Workstation station(settings, messages, dialogs, clock, [](int) {});
    station.run().configuration.RefreshInterval = 1;
    QMainWindow frame;
    EscalationWarningWindow window(&frame);
    FrameTimer timer(station);
    int refreshes = 0;
    timer.setRefresh([&] {
        ++refreshes;
        // Every tick from now on would be due for a refresh.
        QTimer::singleShot(0, &window, [&] { station.run().refreshCounter = 100000; });
        QTimer::singleShot(2500, &window, [&] { window.closeButton()->click(); });
        window.present(u"Case 7, Fase Esc1, will be overdue now !"_s, 7);
    });
    station.run().refreshCounter = FrameTimer::refreshLimit(1);
    timer.start();
    QTRY_COMPARE_WITH_TIMEOUT(refreshes, 1, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
    QCOMPARE(refreshes, 1);
    timer.stop();
}

QTEST_MAIN(TestEscalationWarningWindow)
#include "TestEscalationWarningWindow.moc"
