#include "framework/ErrorReporter.h"
#include "store/StoreStatus.h"
#include "support/ScriptedMessages.h"

#include <QTest>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMessages;

Q_DECLARE_METATYPE(vellum::ErrorSeverity)
Q_DECLARE_METATYPE(vellum::MessageIcon)

namespace {

const QString PressOk = u"  Press OK to end this application"_s;

store::StoreStatus engineError(int code, const QString &text)
{
    return store::StoreStatus::failure(store::StoreCode::Failed, text, code);
}

store::StoreStatus fileSystemError(int code, const QString &text)
{
    store::StoreStatus status = engineError(1, u"engine"_s);
    status.fileErrorCode = code;
    status.fileErrorText = text;
    return status;
}

// Records the fatal calls together with how many messages had been shown by then.
struct FatalCalls {
    std::vector<std::pair<int, qsizetype>> calls;
    ErrorReporter::FatalHandler handler(const ScriptedMessages &messages)
    {
        return [this, &messages](int id) { calls.emplace_back(id, messages.shown().size()); };
    }
};

} // namespace

class TestErrorReporter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tableHasFortyRowsWithoutId29();
    void rowTexts_data();
    void rowTexts();
    void placeholders_data();
    void placeholders();
    void severities_data();
    void severities();
    void duplicateKeyNamesTheKey();
    void fatalRowEndsTheApplicationAfterOk();
    void explicitQuestionReturnsTheButton();
    void procedureIsTheLatestAdded();
    void lastRowWinsAndPreviousIsTheEarlierText();
    void unknownIdIsAProgramError();
};

void TestErrorReporter::tableHasFortyRowsWithoutId29()
{
    const auto table = errorTable();
    QCOMPARE(table.size(), std::size_t(40));
    std::vector<int> ids;
    for (const ErrorRow &row : table)
        ids.push_back(row.id);
    QVERIFY(std::is_sorted(ids.begin(), ids.end()));
    QVERIFY(std::adjacent_find(ids.begin(), ids.end()) == ids.end());
    QCOMPARE(ids.front(), 1);
    QCOMPARE(ids.back(), 41);
    QVERIFY(std::find(ids.begin(), ids.end(), 29) == ids.end());
}

void TestErrorReporter::rowTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<ErrorSeverity>("severity");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("1: doubled blank")
        << ErrorId::RetrievalError << ErrorSeverity::Notify << u"Record Retrieval Error"_s
        << u"Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window."_s;
    QTest::newRow("23: fatal") << ErrorId::OpenError << ErrorSeverity::Fatal << u"File Access Error"_s
                               << u"File (%File) could not be opened.  Error: %ErrorText."_s;
    QTest::newRow("30: trailing blank")
        << ErrorId::ReferencedInCases << ErrorSeverity::Notify << u"Quor Vellum 1.2"_s
        << u"This record is referenced in the Case file. This record cannot be deleted while these references "
           "still exist ! "_s;
    QTest::newRow("32: doubled blank")
        << ErrorId::AutoNumberFailed << ErrorSeverity::Question << u"Auto Increment Error"_s
        << u"Attempts to automatically number this record have failed.  Error: %ErrorText. Try Again?"_s;
    QTest::newRow("39: program error") << ErrorId::FileNotOpened << ErrorSeverity::ProgramError << u"File Usage Error"_s
                                       << u"Attempt to use file (%File) before it was opened"_s;
}

void TestErrorReporter::rowTexts()
{
    QFETCH(int, id);
    QFETCH(ErrorSeverity, severity);
    QFETCH(QString, title);
    QFETCH(QString, text);

    const auto table = errorTable();
    const auto row = std::find_if(table.begin(), table.end(), [id](const ErrorRow &r) { return r.id == id; });
    QVERIFY(row != table.end());
    QCOMPARE(row->severity, severity);
    QCOMPARE(row->title, title);
    QCOMPARE(row->text, text);
}

void TestErrorReporter::placeholders_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<store::StoreStatus>("status");
    QTest::addColumn<QString>("expected");

    const store::StoreStatus engine = engineError(35, u"Record Not Found"_s);
    const store::StoreStatus fileSystem = fileSystemError(5, u"Access Denied"_s);

    QTest::newRow("file, every occurrence") << u"%File and %File"_s << engine << u"Client.tps and Client.tps"_s;
    QTest::newRow("error code") << u"<%ErrorCode>"_s << engine << u"<35>"_s;
    QTest::newRow("error text with code") << u"(%ErrorText)"_s << engine << u"(Record Not Found (35))"_s;
    QTest::newRow("error text from the file system") << u"(%ErrorText)"_s << fileSystem << u"(Access Denied (5))"_s;
    QTest::newRow("error alone") << u"<%Error>"_s << engine << u"<Record Not Found>"_s;
    QTest::newRow("error alone is the engine's") << u"<%Error>"_s << fileSystem << u"<engine>"_s;
    QTest::newRow("file error is eaten by file")
        << u"%FileError %FileErrorCode"_s << fileSystem << u"Client.tpsError Client.tpsErrorCode"_s;
    QTest::newRow("message, field, procedure")
        << u"%Message|%Field|%Procedure"_s << engine << u"bv. LLI|CLI:SName|Updateclient"_s;
    QTest::newRow("no error") << u"%ErrorText"_s << store::StoreStatus() << u" (0)"_s;
    QTest::newRow("no placeholder") << u"100% sure"_s << engine << u"100% sure"_s;
}

void TestErrorReporter::placeholders()
{
    QFETCH(QString, text);
    QFETCH(store::StoreStatus, status);
    QFETCH(QString, expected);

    ScriptedMessages messages;
    ErrorReporter reporter(messages, {});
    reporter.setFile(u"Client.tps"_s);
    reporter.setError(status);
    reporter.setMessage(u"bv. LLI"_s);
    reporter.setField(u"CLI:SName"_s);
    reporter.addProcedure(u"Updateclient"_s);
    QCOMPARE(reporter.fillText(text), expected);
}

void TestErrorReporter::severities_data()
{
    QTest::addColumn<ErrorSeverity>("severity");
    QTest::addColumn<int>("answer");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<ErrorSeverity>("result");
    QTest::addColumn<bool>("ends");

    const int yesNo = ButtonYes | ButtonNo;
    const auto exclamation = MessageIcon::Exclamation;
    const auto information = MessageIcon::Information;
    QTest::newRow("question, yes") << ErrorSeverity::Question << int(ButtonYes) << exclamation << yesNo
                                   << ErrorSeverity::Silent << false;
    QTest::newRow("question, no") << ErrorSeverity::Question << int(ButtonNo) << exclamation << yesNo
                                  << ErrorSeverity::Cancelled << false;
    QTest::newRow("cancelled asks too") << ErrorSeverity::Cancelled << int(ButtonNo) << exclamation << yesNo
                                        << ErrorSeverity::Cancelled << false;
    QTest::newRow("notify") << ErrorSeverity::Notify << int(ButtonOk) << information << int(ButtonOk)
                            << ErrorSeverity::Notify << false;
    QTest::newRow("fatal") << ErrorSeverity::Fatal << int(ButtonOk) << information << int(ButtonOk)
                           << ErrorSeverity::Fatal << true;
    QTest::newRow("program error") << ErrorSeverity::ProgramError << int(ButtonOk) << information << int(ButtonOk)
                                   << ErrorSeverity::Fatal << true;
    QTest::newRow("unknown severity") << ErrorSeverity(9) << int(ButtonOk) << information << int(ButtonOk)
                                      << ErrorSeverity::Fatal << true;
}

void TestErrorReporter::severities()
{
    QFETCH(ErrorSeverity, severity);
    QFETCH(int, answer);
    QFETCH(MessageIcon, icon);
    QFETCH(int, buttons);
    QFETCH(ErrorSeverity, result);
    QFETCH(bool, ends);

    const ErrorRow rows[] = {{7, severity, u"Title"_s, u"Text of %File"_s}};
    ScriptedMessages messages;
    FatalCalls fatal;
    ErrorReporter reporter(messages, fatal.handler(messages), rows);
    reporter.setFile(u"Log.tps"_s);
    messages.expect(u"Text of Log.tps"_s, answer);

    QCOMPARE(reporter.throwError(7), result);
    QCOMPARE(reporter.lastErrorId(), 7);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    const MessageRequest &shown = messages.shown().at(0);
    QCOMPARE(shown.caption, u"Title"_s);
    QCOMPARE(shown.text, ends ? u"Text of Log.tps"_s + PressOk : u"Text of Log.tps"_s);
    QCOMPARE(shown.icon, icon);
    QCOMPARE(shown.buttons, buttons);
    QCOMPARE(shown.defaultButton, buttons == int(ButtonOk) ? int(ButtonOk) : int(ButtonYes));
    QCOMPARE(fatal.calls.size(), std::size_t(ends ? 1 : 0));
}

void TestErrorReporter::duplicateKeyNamesTheKey()
{
    ScriptedMessages messages;
    ErrorReporter reporter(messages, {});
    messages.expect(u"duplicate entry"_s, ButtonOk);

    QCOMPARE(reporter.throwMessage(ErrorId::DuplicateKey, u"CLI:SNameKey"_s), ErrorSeverity::Notify);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QCOMPARE(messages.shown().at(0).caption, u"Duplicate Key Error"_s);
    QCOMPARE(messages.shown().at(0).text, u"Adding this record creates a duplicate entry for the key: CLI:SNameKey"_s);
}

void TestErrorReporter::fatalRowEndsTheApplicationAfterOk()
{
    ScriptedMessages messages;
    FatalCalls fatal;
    ErrorReporter reporter(messages, fatal.handler(messages));
    reporter.setFile(u"/data/Ide.tps"_s);
    reporter.setError(fileSystemError(2, u"No such file or directory"_s));
    messages.expect(u"could not be opened"_s, ButtonOk);

    QCOMPARE(reporter.throwError(ErrorId::OpenError), ErrorSeverity::Fatal);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QCOMPARE(messages.shown().at(0).text,
             u"File (/data/Ide.tps) could not be opened.  Error: No such file or directory (2)."_s + PressOk);
    QCOMPARE(fatal.calls.size(), std::size_t(1));
    QCOMPARE(fatal.calls.at(0).first, ErrorId::OpenError);
    QCOMPARE(fatal.calls.at(0).second, qsizetype(1)); // only after the message was answered
}

void TestErrorReporter::explicitQuestionReturnsTheButton()
{
    ScriptedMessages messages;
    ErrorReporter reporter(messages, {});
    messages.expect(u"Record Update Error"_s, ButtonCancel);

    const int yesNoCancel = ButtonYes | ButtonNo | ButtonCancel;
    QCOMPARE(yesNoCancel, 70);
    QCOMPARE(reporter.message(ErrorId::UpdateAgain, yesNoCancel, ButtonNo), int(ButtonCancel));
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    const MessageRequest &shown = messages.shown().at(0);
    QCOMPARE(shown.icon, MessageIcon::Exclamation);
    QCOMPARE(shown.buttons, 70);
    QCOMPARE(shown.defaultButton, int(ButtonNo));
    QCOMPARE(shown.text, u"An error was experienced changing this record. Do you want to try to save again?"_s);
    QCOMPARE(reporter.lastErrorId(), ErrorId::UpdateAgain);
}

void TestErrorReporter::procedureIsTheLatestAdded()
{
    ScriptedMessages messages;
    ErrorReporter reporter(messages, {});
    QCOMPARE(reporter.fillText(u"[%Procedure]"_s), u"[]"_s);

    reporter.addProcedure(u"BrowsCases"_s);
    reporter.addProcedure(u"ChangeCases"_s);
    reporter.addProcedure(u"BrowsClients"_s);
    QCOMPARE(reporter.fillText(u"%Procedure"_s), u"BrowsClients"_s);

    reporter.removeProcedure(u"ChangeCases"_s); // closed out of order
    QCOMPARE(reporter.fillText(u"%Procedure"_s), u"BrowsClients"_s);
    reporter.removeProcedure(u"BrowsClients"_s);
    QCOMPARE(reporter.fillText(u"%Procedure"_s), u"BrowsCases"_s);

    reporter.clear();
    QCOMPARE(reporter.fillText(u"%Procedure"_s), u"BrowsCases"_s);
}

void TestErrorReporter::lastRowWinsAndPreviousIsTheEarlierText()
{
    const ErrorRow rows[] = {
        {3, ErrorSeverity::Notify, u"First"_s, u"on %File"_s},
        {4, ErrorSeverity::Notify, u"Other"_s, u"other"_s},
        {3, ErrorSeverity::Notify, u"Second"_s, u"%Previous, again"_s},
    };
    ScriptedMessages messages;
    ErrorReporter reporter(messages, {}, rows);
    reporter.setFile(u"Sla.tps"_s);
    messages.expect(u"Second"_s, ButtonOk);

    reporter.throwError(3);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QCOMPARE(messages.shown().at(0).text, u"on Sla.tps, again"_s);
}

void TestErrorReporter::unknownIdIsAProgramError()
{
    ScriptedMessages messages;
    FatalCalls fatal;
    ErrorReporter reporter(messages, fatal.handler(messages));
    messages.expect(u"29"_s, ButtonOk);

    QCOMPARE(reporter.throwError(29), ErrorSeverity::Fatal);
    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QVERIFY(messages.shown().at(0).text.endsWith(PressOk));
    QCOMPARE(fatal.calls.size(), std::size_t(1));
}

QTEST_GUILESS_MAIN(TestErrorReporter)
#include "TestErrorReporter.moc"
