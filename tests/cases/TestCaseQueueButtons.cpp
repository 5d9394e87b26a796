// The case queue's own buttons by role: agents have none of them, an empty file leaves nothing
// to press, a case is yanked only from somebody else (names compared in capitals), and only
// administrators see "&Export".

#include "cases/CaseQueueButtons.h"
#include "data/CurrentUser.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

// Delete Closed, Archive, Assign, Yank, Export, Delete Case, each as "--" hidden, "v-" shown but
// disabled, "ve" shown and enabled.
QString codes(const CaseQueueButtons &buttons)
{
    QStringList codes;
    for (const QueueButton &button :
         {buttons.deleteClosed, buttons.archive, buttons.assign, buttons.yank, buttons.exportCases, buttons.deleteCase})
        codes << QString(button.visible ? u'v' : u'-') + QString(button.enabled ? u'e' : u'-');
    return codes.join(u' ');
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
    QTest::addColumn<QString>("states");

    const QString none = u"-- -- -- -- -- --"_s;
    QTest::newRow("agent, another's case") << int(LevelUser) << false << u"Marta"_s << none;
    QTest::newRow("agent, own case") << int(LevelUser) << false << u"Boss"_s << none;
    QTest::newRow("agent, empty file") << int(LevelUser) << true << QString() << none;
    QTest::newRow("supervisor, another's case")
        << int(LevelSupervisor) << false << u"Marta"_s << u"ve ve ve ve -- ve"_s;
    QTest::newRow("supervisor, own case in capitals")
        << int(LevelSupervisor) << false << u"BOSS  "_s << u"ve ve ve v- -- ve"_s;
    QTest::newRow("supervisor, empty file") << int(LevelSupervisor) << true << QString() << u"v- v- v- v- -- v-"_s;
    QTest::newRow("administrator, another's case")
        << int(LevelAdministrator) << false << u"Marta"_s << u"ve ve ve ve ve ve"_s;
    QTest::newRow("administrator, own case") << int(LevelAdministrator) << false << u"boss"_s << u"ve ve ve v- ve ve"_s;
    QTest::newRow("administrator, empty file")
        << int(LevelAdministrator) << true << QString() << u"v- v- v- v- v- v-"_s;
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
