// The record layouts against the fixed file formats: lengths, names, key descriptions, key
// components, links, and that every field reads and writes its own member.

#include "data/ArchiveRecord.h"
#include "data/CaseFileLinks.h"
#include "data/CaseRecord.h"
#include "data/CaseVocabulary.h"
#include "data/ClientRecord.h"
#include "data/LogRecord.h"
#include "data/ProblemRecord.h"
#include "data/ProductRecord.h"
#include "data/QueueCaseRow.h"
#include "data/RecordFiles.h"
#include "data/SystemRecord.h"
#include "data/UserRecord.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace vellum;
using store::FieldType;
using store::KeyKind;
using store::TableDefinition;

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

const TableDefinition *tableWithKey(std::string_view key)
{
    for (const auto &file : allRecordFiles())
        if (file.table->keyIndex(key) >= 0)
            return file.table;
    return nullptr;
}

// The member type a field must be bound to, as the index of MemberOf's alternatives.
std::size_t memberKind(FieldType type)
{
    switch (type) {
    case FieldType::Byte:
        return 0;
    case FieldType::UShort:
        return 1;
    case FieldType::Long:
        return 2;
    case FieldType::ULong:
        return 3;
    default:
        return 4;
    }
}

// Each field must be bound to a member of its own type, and no two fields to the same member.
template<class R>
QStringList bindingProblems(std::span<const Field<R>> fields)
{
    QStringList problems;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto &spec = fields[i].spec;
        if (fields[i].member.index() != memberKind(spec.type))
            problems << text(spec.name) + u": member of the wrong type"_s;
        if (!spec.isText() && spec.width != store::typeWidth(spec.type))
            problems << text(spec.name) + u": width does not match the type"_s;
        R record{};
        writeField(record, fields[i], spec.isText() ? store::Value(u"x"_s) : store::Value(std::int64_t(1)));
        for (std::size_t j = 0; j < fields.size(); ++j)
            if (j != i && readField(record, fields[j]) != readField(R{}, fields[j]))
                problems << text(spec.name) + u" shares its member with "_s + text(fields[j].spec.name);
    }
    return problems;
}

QStringList partNames(const TableDefinition &table, const store::KeyDefinition &key)
{
    QStringList names;
    for (int i = 0; i < key.partCount(); ++i)
        names << text(table.fields[std::size_t(key.parts[std::size_t(i)])].name);
    return names;
}

} // namespace

class TestRecordLayouts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void files_data();
    void files();
    void fieldsBindTheirMembers();
    void keys_data();
    void keys();
    void caseRoundTrip();
    void archiveIsCasePrefix();
    void caseFileLinks();
    void queueRowTables();
    void caseVocabulary();
};

void TestRecordLayouts::files_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("createIfMissing");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<QString>("autoNumberKey");

    QTest::newRow("Sercase.tps") << 0 << u"SER"_s << true << 303 << 28 << u"SER:IDkey"_s << u"SER:AddHistory"_s
                                 << QStringList{u"SER:CaseNrKey"_s,   u"SER:ProductID"_s,  u"SER:NameKey"_s,
                                                u"SER:ClientIDKey"_s, u"SER:KeyProblem"_s, u"SER:FirstEscKey"_s,
                                                u"SER:SecEscKey"_s,   u"SER:ThirdEscKey"_s}
                                 << u"SER:CaseNrKey"_s;
    QTest::newRow("Archive.tps") << 1 << u"ARC"_s << true << 299 << 27 << u"ARC:IDkey"_s << u"ARC:AddHistory"_s
                                 << QStringList{u"ARC:CaseNrKey"_s,   u"ARC:ProductID"_s,   u"ARC:NameKey"_s,
                                                u"ARC:ClientIDKey"_s, u"ARC:FirstEscKey"_s, u"ARC:SecEscKey"_s,
                                                u"ARC:ThirdEscKey"_s}
                                 << QString();
    QTest::newRow("Client.tps") << 2 << u"CLI"_s << true << 1127 << 18 << u"CLI:SName"_s << u"CLI:ResCString"_s
                                << QStringList{u"CLI:SNameKey"_s, u"CLI:KeyFullName"_s, u"CLI:KeyCity"_s,
                                               u"CLI:KeyContact"_s}
                                << QString();
    QTest::newRow("Ide.tps") << 3 << u"IDE"_s << false << 347 << 13 << u"IDE:IdNr"_s << u"IDE:Fax"_s
                             << QStringList{u"IDE:KeyID"_s, u"IDE:KeyName"_s} << u"IDE:KeyID"_s;
    QTest::newRow("Sla.tps") << 4 << u"SLA"_s << true << 163 << 22 << u"SLA:IDProduct"_s << u"SLA:LName"_s
                             << QStringList{u"bv. LLI"_s, u"SLA:ProductKey"_s} << QString();
    QTest::newRow("Sys.tps") << 5 << u"Sys"_s << true << 819 << 26 << u"Sys:ID"_s << u"Sys:ResCString"_s
                             << QStringList{u"Sys:KeyID"_s} << QString();
    QTest::newRow("Log.tps") << 6 << u"Log"_s << true << 45 << 7 << u"Log:Nr"_s << u"Log:ActionTime"_s
                             << QStringList{u"Log:KEYNR"_s, u"Log:CaseKey"_s, u"Log:KEYDATE"_s, u"Log:KEYID"_s,
                                            u"Log:KEYNAME"_s}
                             << u"Log:KeyNr"_s;
    QTest::newRow("Problem.tps") << 7 << u"PRO"_s << true << 50 << 1 << u"PRO:PROBLEM"_s << u"PRO:PROBLEM"_s
                                 << QStringList{u"PRO:KeyProblem"_s} << QString();
}

void TestRecordLayouts::files()
{
    QFETCH(int, index);
    QFETCH(QString, prefix);
    QFETCH(bool, createIfMissing);
    QFETCH(int, length);
    QFETCH(int, fieldCount);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QStringList, descriptions);
    QFETCH(QString, autoNumberKey);

    QCOMPARE(allRecordFiles().size(), std::size_t(8));
    const auto &file = allRecordFiles()[std::size_t(index)];
    const auto &table = *file.table;
    QCOMPARE(text(table.fileName), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(text(table.prefix), prefix);
    QCOMPARE(file.createIfMissing, createIfMissing);
    QCOMPARE(table.recordLength(), length);
    QCOMPARE(int(table.fields.size()), fieldCount);
    QCOMPARE(text(table.fields.front().name), first);
    QCOMPARE(text(table.fields.back().name), last);

    QStringList actual;
    for (const auto &key : table.keys)
        actual << text(key.description);
    QCOMPARE(actual, descriptions);
    const int autoKey = table.autoNumberKey();
    QCOMPARE(autoKey < 0 ? QString() : text(table.keys[std::size_t(autoKey)].name), autoNumberKey);

    // Names carry the file's prefix, and the memos come after every fixed field.
    bool memoSeen = false;
    for (const auto &field : table.fields) {
        QVERIFY2(text(field.name).startsWith(prefix + u':'), field.name.data());
        QVERIFY2(field.isMemo() || !memoSeen, field.name.data());
        memoSeen = memoSeen || field.isMemo();
    }
    for (const auto &key : table.keys)
        QVERIFY2(text(key.name).startsWith(prefix + u':'), key.name.data());
}

void TestRecordLayouts::fieldsBindTheirMembers()
{
    const QStringList problems =
        bindingProblems(CaseRecord::fieldTable()) + bindingProblems(ArchiveRecord::fieldTable())
        + bindingProblems(ClientRecord::fieldTable()) + bindingProblems(UserRecord::fieldTable())
        + bindingProblems(ProductRecord::fieldTable()) + bindingProblems(SystemRecord::fieldTable())
        + bindingProblems(LogRecord::fieldTable()) + bindingProblems(ProblemRecord::fieldTable())
        + bindingProblems(QueueCaseRow::waitingFieldTable()) + bindingProblems(QueueCaseRow::lateFieldTable());
    QCOMPARE(problems.join(u"; "_s), QString());
}

void TestRecordLayouts::keys_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("autoNumber");
    QTest::addColumn<QStringList>("parts");

    const int primary = int(KeyKind::Primary), unique = int(KeyKind::Unique), dups = int(KeyKind::Duplicates);
    const auto row = [](const char *key, int index, int kind, bool autoNumber, QStringList parts) {
        QTest::newRow(key) << index << kind << autoNumber << parts;
    };
    using S = CaseRecord;
    row("SER:CaseNrKey", S::CaseNrKey, primary, true, {u"SER:CaseNr"_s});
    row("SER:ProductID", S::ProductID, dups, false, {u"SER:IDProduct"_s});
    row("SER:NameKey", S::NameKey, dups, false, {u"SER:SName"_s});
    row("SER:ClientIDKey", S::ClientIDKey, dups, false, {u"SER:IDkey"_s});
    row("SER:KeyProblem", S::KeyProblem, dups, false, {u"SER:SProblem"_s});
    row("SER:FirstEscKey", S::FirstEscKey, dups, false, {u"SER:FirstEscDate"_s, u"SER:FirstEscTime"_s});
    row("SER:SecEscKey", S::SecEscKey, dups, false, {u"SER:SecEscDate"_s, u"SER:SecEscTime"_s});
    row("SER:ThirdEscKey", S::ThirdEscKey, dups, false, {u"SER:ThirdEscDate"_s, u"SER:ThirdEscTime"_s});
    using A = ArchiveRecord;
    row("ARC:CaseNrKey", A::CaseNrKey, primary, false, {u"ARC:CaseNr"_s});
    row("ARC:ProductID", A::ProductID, dups, false, {u"ARC:IDProduct"_s});
    row("ARC:NameKey", A::NameKey, dups, false, {u"ARC:SName"_s});
    row("ARC:ClientIDKey", A::ClientIDKey, dups, false, {u"ARC:IDkey"_s});
    row("ARC:FirstEscKey", A::FirstEscKey, dups, false, {u"ARC:FirstEscDate"_s, u"ARC:FirstEscTime"_s});
    row("ARC:SecEscKey", A::SecEscKey, dups, false, {u"ARC:SecEscDate"_s, u"ARC:SecEscTime"_s});
    row("ARC:ThirdEscKey", A::ThirdEscKey, dups, false, {u"ARC:ThirdEscDate"_s, u"ARC:ThirdEscTime"_s});
    row("CLI:SNameKey", ClientRecord::SNameKey, primary, false, {u"CLI:SName"_s});
    row("CLI:KeyFullName", ClientRecord::KeyFullName, unique, false, {u"CLI:LName"_s});
    row("CLI:KeyCity", ClientRecord::KeyCity, dups, false, {u"CLI:City"_s});
    row("CLI:KeyContact", ClientRecord::KeyContact, dups, false, {u"CLI:Contact"_s});
    row("IDE:KeyID", UserRecord::KeyID, primary, true, {u"IDE:IdNr"_s});
    row("IDE:KeyName", UserRecord::KeyName, unique, false, {u"IDE:Name"_s});
    row("SLA:IDProductKey", ProductRecord::IDProductKey, primary, false, {u"SLA:IDProduct"_s});
    row("SLA:ProductKey", ProductRecord::ProductKey, unique, false, {u"SLA:Product"_s});
    row("Sys:KeyID", SystemRecord::KeyID, primary, false, {u"Sys:ID"_s});
    row("Log:KeyNr", LogRecord::KeyNr, primary, true, {u"Log:Nr"_s});
    row("Log:CaseKey", LogRecord::CaseKey, dups, false, {u"Log:CaseNr"_s});
    row("Log:KeyDate", LogRecord::KeyDate, dups, false, {u"Log:ActionDate"_s, u"Log:ActionTime"_s});
    row("Log:KeyID", LogRecord::KeyID, dups, false, {u"Log:ID"_s});
    row("Log:KeyName", LogRecord::KeyName, dups, false, {u"Log:Name"_s});
    row("PRO:KeyProblem", ProblemRecord::KeyProblem, primary, false, {u"PRO:PROBLEM"_s});
}

void TestRecordLayouts::keys()
{
    QFETCH(int, index);
    QFETCH(int, kind);
    QFETCH(bool, autoNumber);
    QFETCH(QStringList, parts);

    const std::string_view name = QTest::currentDataTag();
    const TableDefinition *table = tableWithKey(name);
    QVERIFY(table);
    QCOMPARE(table->keyIndex(name), index);
    const auto &key = table->keys[std::size_t(index)];
    QCOMPARE(int(key.kind), kind);
    QCOMPARE(key.autoNumber, autoNumber);
    QCOMPARE(partNames(*table, key), parts);
    if (key.partCount() == 1)
        QCOMPARE(int(key.parts[1]), -1);
}

void TestRecordLayouts::caseRoundTrip()
{
    CaseRecord record;
    record.IDkey = -7;
    record.UpdateFlag = 65535;
    record.CaseNr = 4000000000u; // beyond a signed 32-bit number
    record.SName = u"ABC"_s;
    record.LName = u"Müller & Zonen"_s;
    record.Phone = u"020-5551234"_s;
    record.Product = u"Mail server"_s;
    record.IDProduct = u"LLI"_s;
    record.SProblem = u"Mailserver - Off line"_s;
    record.ProblemFix = 255;
    record.Priority = CaseVocabulary::High;
    record.PriorityFix = 1;
    record.Owner = u"Employee 1"_s;
    record.SDate = 74000;
    record.STime = 3276001;
    record.FirstEscDate = 74001;
    record.FirstEscTime = 3276002;
    record.FirstAction = CaseVocabulary::Done;
    record.SecEscDate = 74002;
    record.SecEscTime = 3276003;
    record.SecAction = CaseVocabulary::Open;
    record.ThirdEscDate = 74003;
    record.ThirdEscTime = 8640000;
    record.ThirdAction = CaseVocabulary::NotInUse;
    record.Status = CaseVocabulary::OnHold;
    record.Cdate = 74004;
    record.History = u" 3/05/04  9:06 Case CREATED\r\nsecond line"_s;
    record.AddHistory = u"still being typed"_s;

    const store::Row row = toRow(record);
    QCOMPARE(row.size(), std::size_t(CaseRecord::Col::Count));
    QCOMPARE(store::asInt(row[CaseRecord::Col::CaseNr]), std::int64_t(4000000000));
    QCOMPARE(store::asInt(row[CaseRecord::Col::IDkey]), std::int64_t(-7));
    QCOMPARE(store::asText(row[CaseRecord::Col::History]), record.History);
    QVERIFY(fromRow<CaseRecord>(row) == record);
    QVERIFY(fromRow<CaseRecord>(toRow(CaseRecord{})) == CaseRecord{});
}

void TestRecordLayouts::archiveIsCasePrefix()
{
    // A closed case is copied into the knowledge base field for field, memos included.
    const auto &cases = CaseRecord::table();
    const auto &archive = ArchiveRecord::table();
    QCOMPARE(archive.fields.size(), cases.fields.size() - 1);
    for (std::size_t i = 0; i < archive.fields.size(); ++i) {
        const auto &from = cases.fields[i < 25 ? i : i + 1];
        const auto &to = archive.fields[i];
        QVERIFY2(from.column() == to.column(), to.name.data());
        QVERIFY2(from.type == to.type && from.width == to.width, to.name.data());
    }
    QCOMPARE(text(cases.fields[25].name), u"SER:Cdate"_s);
}

void TestRecordLayouts::caseFileLinks()
{
    struct Expected {
        std::string_view parentFile, parentField, childKey, childField;
    };
    const Expected expected[] = {
        {"Problem.tps", "PRO:PROBLEM", "SER:KeyProblem", "SER:SProblem"},
        {"Client.tps", "CLI:SName", "SER:NameKey", "SER:SName"},
        {"Sla.tps", "SLA:IDProduct", "SER:ProductID", "SER:IDProduct"},
    };
    const auto relations = caseFileRelations();
    QCOMPARE(relations.size(), std::size(expected));
    for (std::size_t i = 0; i < relations.size(); ++i) {
        const auto &link = relations[i];
        const auto &want = expected[i];
        QCOMPARE(link.child, &CaseRecord::table());
        QCOMPARE(link.parent->fileName, want.parentFile);
        const auto &parentField = link.parent->fields[std::size_t(link.parentField)];
        const auto &childField = link.child->fields[std::size_t(link.childField)];
        QCOMPARE(parentField.name, want.parentField);
        QCOMPARE(link.child->keys[std::size_t(link.childKey)].name, want.childKey);
        QCOMPARE(childField.name, want.childField);
        QVERIFY(link.onUpdate == RelationRule::Cascade);
        QVERIFY(link.onDelete == RelationRule::Restrict);
        // The children are found through the key on the link field, and every parent value fits.
        QCOMPARE(int(link.child->keys[std::size_t(link.childKey)].parts[0]), link.childField);
        QCOMPARE(int(link.parent->keys[0].parts[0]), link.parentField);
        QVERIFY(parentField.width <= childField.width);
    }
}

void TestRecordLayouts::queueRowTables()
{
    const auto waiting = QueueCaseRow::waitingFieldTable();
    const auto late = QueueCaseRow::lateFieldTable();
    using C = QueueCaseRow::Col;
    QCOMPARE(waiting.size(), std::size_t(C::Count));
    QCOMPARE(late.size(), std::size_t(C::Count));
    for (std::size_t i = 0; i < waiting.size(); ++i) {
        const auto &w = waiting[i].spec;
        const auto &l = late[i].spec;
        QVERIFY2(w.name.starts_with("AFT:") && l.name.starts_with("BEF:"), w.name.data());
        QVERIFY2(w.type == l.type && w.width == l.width, w.name.data());
        if (int(i) != C::DeadlineTime && int(i) != C::DeadlineDate)
            QCOMPARE(w.column(), l.column());
    }
    QCOMPARE(waiting[C::DeadlineTime].spec.name, "AFT:GoodTime");
    QCOMPARE(waiting[C::DeadlineDate].spec.name, "AFT:GoodDate");
    QCOMPARE(late[C::DeadlineTime].spec.name, "BEF:LateTime");
    QCOMPARE(late[C::DeadlineDate].spec.name, "BEF:LateDate");
    // The whole case number, as SER:CaseNr holds it, and a running number past 65535.
    for (int wide : {int(C::Nr), int(C::CaseNr)}) {
        QVERIFY(waiting[std::size_t(wide)].spec.type == FieldType::ULong);
        QCOMPARE(waiting[std::size_t(wide)].spec.width, 4);
    }

    // The copied case texts keep the width of the case field they come from.
    const auto &cases = CaseRecord::table();
    const std::pair<int, int> copies[] = {{C::Priority, CaseRecord::Col::Priority},
                                          {C::Client, CaseRecord::Col::SName},
                                          {C::Problem, CaseRecord::Col::SProblem},
                                          {C::Owner, CaseRecord::Col::Owner},
                                          {C::Status, CaseRecord::Col::Status}};
    for (const auto &[row, source] : copies)
        QCOMPARE(waiting[std::size_t(row)].spec.width, cases.fields[std::size_t(source)].width);
}

// The stored words and markers are what every workstation and the lists read: pinned here once,
// and each fits the field that holds it.
void TestRecordLayouts::caseVocabulary()
{
    namespace V = CaseVocabulary;
    const auto &cases = CaseRecord::table();
    const auto fits = [&cases](const QStringList &words, int column) {
        for (const QString &word : words)
            if (word.toUtf8().size() > cases.fields[std::size_t(column)].textCapacity())
                return false;
        return true;
    };
    using C = CaseRecord::Col;

    const QStringList statuses{V::Active, V::OnHold, V::Closed};
    QCOMPARE(statuses, (QStringList{u"Active"_s, u"On Hold"_s, u"Closed"_s}));
    QVERIFY(fits(statuses, C::Status));

    // Most urgent first, which is also their alphabetical order.
    QCOMPARE(V::Priorities, (QStringList{u"High"_s, u"Medium"_s, u"Minimal"_s}));
    QCOMPARE((QStringList{V::High, V::Medium, V::Minimal}), V::Priorities);
    QVERIFY(std::is_sorted(V::Priorities.begin(), V::Priorities.end()));
    QVERIFY(fits(V::Priorities, C::Priority));

    const QStringList flags{V::Open, V::Done, V::NotInUse};
    QCOMPARE(flags, (QStringList{u"N"_s, u"D"_s, u"Y"_s}));
    for (const int column : {C::FirstAction, C::SecAction, C::ThirdAction})
        QVERIFY(fits(flags, column));

    const QStringList phases{V::phase(1), V::phase(2), V::phase(3)};
    QCOMPARE(phases, (QStringList{u"Esc1"_s, u"Esc2"_s, u"Esc3"_s}));
    for (const QString &phase : phases)
        QVERIFY(phase.size() <= QueueCaseRow::waitingFieldTable()[QueueCaseRow::Col::Fase].spec.width);

    QCOMPARE(V::Marker::NothingNew, std::uint16_t(0));
    QCOMPARE(V::Marker::ChangedByOthers, std::uint16_t(1));
    QCOMPARE(V::Marker::OnHold, std::uint16_t(2));
}

QTEST_GUILESS_MAIN(TestRecordLayouts)
#include "TestRecordLayouts.moc"
