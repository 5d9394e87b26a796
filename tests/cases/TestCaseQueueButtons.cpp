// The case queue's own buttons by role: agents have none of them, an empty file leaves nothing
// to press, a case is yanked only from somebody else (names compared in capitals), and only
// administrators see "&Export".

#include "cases/CaseQueueButtons.h"
#include "data/CurrentUser.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

// Each button as visible/enabled: "--" hidden, "v-" shown but disabled, "ve" shown and enabled.
QString code(const QueueButton &button)
{
    return QString(button.visible ? u'v' : u'-') + QString(button.enabled ? u'e' : u'-');
}

QStringList codes(const CaseQueueButtons &buttons)
{
    return {code(buttons.deleteClosed), code(buttons.archive),     code(buttons.assign),
            code(buttons.yank),         code(buttons.exportCases), code(buttons.deleteCase)};
}

} // namespace

class TestCaseQueueButtons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statesByRole_data();
    void statesByRole();
};

void TestCaseQueueButtons::statesByRole_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QString>("owner");
    // Delete Closed, Archive, Assign, Yank, Export, Delete Case
    QTest::addColumn<QStringList>("states");

    const QStringList none{u"--"_s, u"--"_s, u"--"_s, u"--"_s, u"--"_s, u"--"_s};
    QTest::newRow("agent, somebody else's case") << int(LevelUser) << false << u"Marta"_s << none;
    QTest::newRow("agent, own case") << int(LevelUser) << false << u"Boss"_s << none;
    QTest::newRow("agent, empty file") << int(LevelUser) << true << QString() << none;
    QTest::newRow("supervisor, somebody else's case")
        << int(LevelSupervisor) << false << u"Marta"_s
        << QStringList{u"ve"_s, u"ve"_s, u"ve"_s, u"ve"_s, u"--"_s, u"ve"_s};
    QTest::newRow("supervisor, own case in other capitals")
        << int(LevelSupervisor) << false << u"BOSS  "_s
        << QStringList{u"ve"_s, u"ve"_s, u"ve"_s, u"v-"_s, u"--"_s, u"ve"_s};
    QTest::newRow("supervisor, empty file") << int(LevelSupervisor) << true << QString()
                                            << QStringList{u"v-"_s, u"v-"_s, u"v-"_s, u"v-"_s, u"--"_s, u"v-"_s};
    QTest::newRow("administrator, somebody else's case")
        << int(LevelAdministrator) << false << u"Marta"_s
        << QStringList{u"ve"_s, u"ve"_s, u"ve"_s, u"ve"_s, u"ve"_s, u"ve"_s};
    QTest::newRow("administrator, own case") << int(LevelAdministrator) << false << u"boss"_s
                                             << QStringList{u"ve"_s, u"ve"_s, u"ve"_s, u"v-"_s, u"ve"_s, u"ve"_s};
    QTest::newRow("administrator, empty file") << int(LevelAdministrator) << true << QString()
                                               << QStringList{u"v-"_s, u"v-"_s, u"v-"_s, u"v-"_s, u"v-"_s, u"v-"_s};
}

void TestCaseQueueButtons::statesByRole()
{
    QFETCH(int, level);
    QFETCH(bool, empty);
    QFETCH(QString, owner);
    QTEST(codes(CaseQueueButtons::of(u"Boss"_s, level, empty, owner)), "states");
}

QTEST_GUILESS_MAIN(TestCaseQueueButtons)
#include "TestCaseQueueButtons.moc"
