// The mail text with the problem above and the signature below the note, and the client
// addresses a mail cannot go to.

#include "cases/CaseMailComposer.h"

#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;
using namespace vellum;

Q_DECLARE_METATYPE(vellum::CurrentUser)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

const QString CrLf = u"\r\n"_s;
const QString Note = u"Your printer works again."_s;

CurrentUser fullUser()
{
    CurrentUser user;
    user.name = u"Marta"_s;
    user.greet = u"Kind regards,"_s;
    user.fullName = u"Marta van der Berghe-Smith"_s; // the logon keeps 20 of them; a longer one is cut here too
    user.position = u"Support Engineer"_s;
    user.company = u"Quor Desk Ltd"_s;
    user.email = u"marta@desk.example"_s;
    user.phone = u"+31 20 555 0100 ext 12"_s;
    user.fax = u"+31 20 555 0199"_s;
    return user;
}

} // namespace

class TestCaseMailComposer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mailText_data();
    void mailText();
    void addressRefusal_data();
    void addressRefusal();
};

void TestCaseMailComposer::mailText_data()
{
    QTest::addColumn<bool>("addProblem");
    QTest::addColumn<bool>("addSignature");
    QTest::addColumn<CurrentUser>("user");
    QTest::addColumn<QString>("text");

    const QString signature = CrLf + CrLf + u"Kind regards,"_s + CrLf + CrLf + u"Marta van der Berghe"_s + CrLf + CrLf
                              + u"Support Engineer"_s + CrLf + u"Quor Desk Ltd"_s + CrLf + u"marta@desk.example"_s
                              + CrLf + u"+31 20 555 0100"_s + CrLf + u"+31 20 555 0199"_s + CrLf;
    const QString problem = u"**** Problem : Printer jams ****"_s + CrLf + CrLf;
    QTest::newRow("note only") << false << false << fullUser() << Note;
    QTest::newRow("problem") << true << false << fullUser() << problem + Note;
    QTest::newRow("signature") << false << true << fullUser() << Note + signature;
    QTest::newRow("both") << true << true << fullUser() << problem + Note + signature;

    CurrentUser sparse;
    sparse.fullName = u"Ann   "_s;
    sparse.email = u"ann@desk.example"_s;
    sparse.greet = u"   "_s;
    QTest::newRow("only the parts given")
        << false << true << sparse << Note + CrLf + CrLf + u"Ann"_s + u"ann@desk.example"_s + CrLf;
    CurrentUser position;
    position.position = u"Agent"_s;
    QTest::newRow("position alone") << false << true << position << Note + CrLf + CrLf + u"Agent"_s + CrLf;
    QTest::newRow("no data, no signature") << false << true << CurrentUser{} << Note;
}

void TestCaseMailComposer::mailText()
{
    QFETCH(bool, addProblem);
    QFETCH(bool, addSignature);
    QFETCH(CurrentUser, user);
    QFETCH(QString, text);
    QCOMPARE(CaseMailComposer::mailText(Note, u"  Printer jams  "_s, addProblem, addSignature, user), text);
}

void TestCaseMailComposer::addressRefusal_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<std::optional<QString>>("refusal");
    const std::optional<QString> empty = u"Error : email address empty"_s;
    const std::optional<QString> notValid = u"Error : email address not valid"_s;
    QTest::newRow("empty") << QString() << empty;
    QTest::newRow("blanks") << u"    "_s << empty;
    QTest::newRow("at sign, no dot") << u"bob@client"_s << notValid;
    QTest::newRow("dot, no at sign") << u"bob.client.example"_s << notValid;
    QTest::newRow("neither") << u"bob"_s << notValid;
    QTest::newRow("valid") << u"bob@client.example"_s << std::optional<QString>();
    QTest::newRow("valid, padded") << u"bob@client.example     "_s << std::optional<QString>();
}

void TestCaseMailComposer::addressRefusal()
{
    QFETCH(QString, address);
    QFETCH(std::optional<QString>, refusal);
    QCOMPARE(CaseMailComposer::addressRefusal(address), refusal);
}

QTEST_APPLESS_MAIN(TestCaseMailComposer)
#include "TestCaseMailComposer.moc"
