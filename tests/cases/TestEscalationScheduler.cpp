// Expected deadlines are worked out by hand from the rules, around Monday 3 May 2004; a time
// written as "12:00" + n is the stored value of 12:00 plus n units. The weekend rule is checked
// through the deadlines it moves.

#include "cases/EscalationScheduler.h"
#include "data/CaseVocabulary.h"
#include "framework/DateTime.h"
#include "framework/ErrorReporter.h"
#include "support/ScriptedMessages.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;
using vellum::test::ScriptedMessages;

Q_DECLARE_METATYPE(vellum::ProductRecord)

namespace {

constexpr int RoundTheClock = 0;
constexpr int ServiceShift = 1;

const QDate Mon(2004, 5, 3), Tue(2004, 5, 4), Wed(2004, 5, 5), Thu(2004, 5, 6), Fri(2004, 5, 7), Sat(2004, 5, 8),
    Sun(2004, 5, 9), Mon10(2004, 5, 10), Tue11(2004, 5, 11), Thu13(2004, 5, 13), Fri14(2004, 5, 14), Fri21(2004, 5, 21);

int at(const QString &hoursMinutes)
{
    return DateTime::parseHoursMinutes(hoursMinutes);
}

std::int32_t day(const QDate &date)
{
    return DateTime::dayNumber(date);
}

// Every level gets the same offset and days, in a 09:00-17:00 window.
ProductRecord sameForAllLevels(int shift, int offset, int days)
{
    ProductRecord product;
    product.ServiceShift = std::uint8_t(shift);
    product.ServiceStart = at(u"09:00"_s);
    product.ServiceEnd = at(u"17:00"_s);
    product.FirstEsc = product.SecEsc = product.ThdEsc = offset;
    product.FirstEscDays = product.SecEscDays = product.ThirdEscDays = days;
    return product;
}

CaseRecord newCase(const QDate &date, int time)
{
    CaseRecord record;
    record.SDate = day(date);
    record.STime = time;
    record.FirstAction = record.SecAction = record.ThirdAction = CaseVocabulary::Open;
    return record;
}

void addDeadlineRow(const char *name, int shift, const QDate &start, int startTime, int offset, int days,
                    const QDate &date, int time, const QDate &date2 = {}, int time2 = 0)
{
    QTest::newRow(name) << shift << start << startTime << offset << days << date << time
                        << (date2.isValid() ? date2 : date) << (date2.isValid() ? time2 : time);
}

} // namespace

class TestEscalationScheduler : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void deadlines_data();
    void deadlines();
    void levelsReadTheirOwnFields_data();
    void levelsReadTheirOwnFields();
    void unusedLevels_data();
    void unusedLevels();
    void notComputed_data();
    void notComputed();
    void checkStartTime_data();
    void checkStartTime();
    void checkStartDate_data();
    void checkStartDate();
    void productIsReadFromTheFile();
    void missingProductIsReportedAndCountsAsEmpty();
    void emptyServiceDayIsReported();

private:
    void computeForCase(CaseRecord &record, const QList<ProductRecord> &stored, ScriptedMessages &messages);
};

void TestEscalationScheduler::deadlines_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("startTime");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("days");
    QTest::addColumn<QDate>("date"); // levels 1 and 3
    QTest::addColumn<int>("time");
    QTest::addColumn<QDate>("date2"); // level 2
    QTest::addColumn<int>("time2");

    const int h0400 = at(u"04:00"_s);
    addDeadlineRow("24h: same day", RoundTheClock, Mon, at(u"10:00"_s), h0400, 0, Mon, at(u"14:00"_s) + 1);
    addDeadlineRow("24h: past midnight shows 1:59", RoundTheClock, Mon, at(u"22:00"_s), h0400, 0, Tue, 719993);
    addDeadlineRow("24h: one day length does not wrap", RoundTheClock, Mon, at(u"20:00"_s) + 7, h0400, 0, Mon, 8640009);
    addDeadlineRow("24h: days after the wrap, weekend counts", RoundTheClock, Fri, at(u"22:00"_s), h0400, 2, Mon10,
                   719993);
    addDeadlineRow("24h: days alone", RoundTheClock, Fri, at(u"10:00"_s), 0, 1, Sat, at(u"10:00"_s));

    addDeadlineRow("shift: inside the window", ServiceShift, Mon, at(u"10:00"_s), at(u"02:00"_s), 0, Mon,
                   at(u"12:00"_s) + 1);
    addDeadlineRow("shift: ends on the service end value", ServiceShift, Mon, at(u"15:00"_s) - 1, at(u"02:00"_s), 0,
                   Mon, at(u"17:00"_s));
    addDeadlineRow("shift: one unit past the end, next morning", ServiceShift, Mon, at(u"15:00"_s), at(u"02:00"_s), 0,
                   Tue, at(u"09:00"_s) + 1);
    addDeadlineRow("shift: Monday 16:00 + 4h", ServiceShift, Mon, at(u"16:00"_s), h0400, 0, Tue, at(u"12:00"_s) + 1);
    addDeadlineRow("shift: Friday 16:00 + 4h, Saturday to Monday", ServiceShift, Fri, at(u"16:00"_s), h0400, 0, Mon10,
                   at(u"12:00"_s) + 1);
    addDeadlineRow("shift: Sunday to Tuesday", ServiceShift, Fri, at(u"16:00"_s), at(u"12:00"_s), 0, Tue11,
                   at(u"12:00"_s) + 1);
    // With a day count, so that level 2 keeps a deadline (see unusedLevels).
    addDeadlineRow("shift: remainder exactly a service day", ServiceShift, Mon, at(u"16:00"_s) - 10, at(u"09:00"_s), 1,
                   Fri, at(u"17:00"_s), Mon10, at(u"09:00"_s));
    addDeadlineRow("shift: remainder over a service day", ServiceShift, Mon, at(u"16:00"_s), at(u"09:00"_s), 0, Wed,
                   at(u"09:00"_s) + 1);
    addDeadlineRow("shift: 1 day is 3 service days + 9 units", ServiceShift, Mon, at(u"10:00"_s), at(u"01:00"_s), 1,
                   Thu, at(u"11:00"_s) + 10);
    addDeadlineRow("shift: 3 service days onto Sunday", ServiceShift, Thu, at(u"10:00"_s), at(u"01:00"_s), 1, Tue11,
                   at(u"11:00"_s) + 10);
    addDeadlineRow("shift: 2 days, +2 at both weekend rules", ServiceShift, Mon, at(u"10:00"_s), at(u"01:00"_s), 2,
                   Thu13, at(u"11:00"_s) + 19);
    addDeadlineRow("shift: 2 days, past service end", ServiceShift, Mon, at(u"16:00"_s), h0400, 2, Fri14,
                   at(u"12:00"_s) + 19);
    addDeadlineRow("shift: offset over the end value", ServiceShift, Mon, at(u"10:00"_s), at(u"20:00"_s), 0, Wed,
                   at(u"14:00"_s) + 1);
    addDeadlineRow("shift: offset over the end value, Friday", ServiceShift, Fri, at(u"10:00"_s), at(u"20:00"_s), 0,
                   Tue11, at(u"14:00"_s) + 1);
    addDeadlineRow("shift: offset over the end value, 2 days", ServiceShift, Wed, at(u"10:00"_s), at(u"20:00"_s), 2,
                   Fri21, at(u"14:00"_s) + 19);
}

void TestEscalationScheduler::deadlines()
{
    QFETCH(int, shift);
    QFETCH(QDate, start);
    QFETCH(int, startTime);
    QFETCH(int, offset);
    QFETCH(int, days);
    QFETCH(QDate, date);
    QFETCH(int, time);
    QFETCH(QDate, date2);
    QFETCH(int, time2);

    CaseRecord record = newCase(start, startTime);
    EscalationScheduler::computeEscalationDeadlines(record, sameForAllLevels(shift, offset, days));

    QCOMPARE(DateTime::toDate(record.FirstEscDate), date);
    QCOMPARE(record.FirstEscTime, time);
    QCOMPARE(DateTime::toDate(record.SecEscDate), date2);
    QCOMPARE(record.SecEscTime, time2);
    QCOMPARE(DateTime::toDate(record.ThirdEscDate), date);
    QCOMPARE(record.ThirdEscTime, time);
}

void TestEscalationScheduler::levelsReadTheirOwnFields_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<QDate>("date1");
    QTest::addColumn<int>("time1");
    QTest::addColumn<QDate>("date2");
    QTest::addColumn<int>("time2");
    QTest::addColumn<QDate>("date3");
    QTest::addColumn<int>("time3");

    QTest::newRow("24 hours") << RoundTheClock << Mon << at(u"11:00"_s) + 1 << Wed << at(u"12:00"_s) + 1 << Tue
                              << at(u"13:00"_s) + 1;
    QTest::newRow("service shift") << ServiceShift << Mon << at(u"11:00"_s) + 1 << Thu13 << at(u"12:00"_s) + 19 << Thu
                                   << at(u"13:00"_s) + 10;
}

void TestEscalationScheduler::levelsReadTheirOwnFields()
{
    QFETCH(int, shift);
    QFETCH(QDate, date1);
    QFETCH(int, time1);
    QFETCH(QDate, date2);
    QFETCH(int, time2);
    QFETCH(QDate, date3);
    QFETCH(int, time3);

    ProductRecord product = sameForAllLevels(shift, 0, 0);
    product.FirstEsc = at(u"01:00"_s);
    product.SecEsc = at(u"02:00"_s);
    product.SecEscDays = 2;
    product.ThdEsc = at(u"03:00"_s);
    product.ThirdEscDays = 1;
    product.Respons = product.FirstEscMargin = product.SecEscMargin = product.ThirdEscMargin = at(u"05:00"_s);
    CaseRecord record = newCase(Mon, at(u"10:00"_s));
    EscalationScheduler::computeEscalationDeadlines(record, product);

    QCOMPARE(DateTime::toDate(record.FirstEscDate), date1);
    QCOMPARE(record.FirstEscTime, time1);
    QCOMPARE(DateTime::toDate(record.SecEscDate), date2);
    QCOMPARE(record.SecEscTime, time2);
    QCOMPARE(DateTime::toDate(record.ThirdEscDate), date3);
    QCOMPARE(record.ThirdEscTime, time3);
    QCOMPARE(record.SecAction + record.ThirdAction, u"NN"_s);
}

void TestEscalationScheduler::unusedLevels_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("startTime");
    QTest::addColumn<int>("offset2");
    QTest::addColumn<int>("days2");
    QTest::addColumn<int>("offset3");
    QTest::addColumn<int>("days3");
    QTest::addColumn<bool>("used2");
    QTest::addColumn<bool>("used3");

    const int h10 = at(u"10:00"_s), h0000 = at(u"00:00"_s), h0300 = at(u"03:00"_s);
    QTest::newRow("24h: no level 2 switches off 3") << RoundTheClock << h10 << 0 << 0 << h0300 << 1 << false << false;
    QTest::newRow("24h: no level 3") << RoundTheClock << h10 << h0300 << 0 << 0 << 0 << true << false;
    QTest::newRow("24h: days alone") << RoundTheClock << h10 << 0 << 1 << 0 << 2 << true << true;
    QTest::newRow("24h: 0:00 is an offset") << RoundTheClock << h10 << h0000 << 0 << h0000 << 0 << true << true;
    QTest::newRow("shift: no level 2") << ServiceShift << h10 << 0 << 0 << h0300 << 0 << false << false;
    // The working offset decides: a start after the service end leaves some of it, and a level 2
    // landing on the service start two days on has none left.
    QTest::newRow("shift: start after the end") << ServiceShift << at(u"18:00"_s) << 0 << 0 << 0 << 0 << true << true;
    QTest::newRow("shift: level 2 spends exactly a service day")
        << ServiceShift << at(u"16:00"_s) - 1 << at(u"09:00"_s) << 0 << h0300 << 0 << false << false;
}

void TestEscalationScheduler::unusedLevels()
{
    QFETCH(int, shift);
    QFETCH(int, startTime);
    QFETCH(int, offset2);
    QFETCH(int, days2);
    QFETCH(int, offset3);
    QFETCH(int, days3);
    QFETCH(bool, used2);
    QFETCH(bool, used3);

    ProductRecord product = sameForAllLevels(shift, at(u"01:00"_s), 0);
    product.SecEsc = offset2;
    product.SecEscDays = days2;
    product.ThdEsc = offset3;
    product.ThirdEscDays = days3;
    CaseRecord record = newCase(Mon, startTime);
    EscalationScheduler::computeEscalationDeadlines(record, product);

    QVERIFY(record.FirstEscDate != 0);
    QCOMPARE(record.FirstAction, CaseVocabulary::Open);
    QCOMPARE(record.SecAction, used2 ? CaseVocabulary::Open : CaseVocabulary::NotInUse);
    QCOMPARE(record.SecEscDate != 0 || record.SecEscTime != 0, used2);
    QCOMPARE(record.ThirdAction, used3 ? CaseVocabulary::Open : CaseVocabulary::NotInUse);
    QCOMPARE(record.ThirdEscDate != 0 || record.ThirdEscTime != 0, used3);
}

void TestEscalationScheduler::notComputed_data()
{
    QTest::addColumn<ProductRecord>("product");

    QTest::newRow("unknown service mode") << sameForAllLevels(2, 0, 0);
    ProductRecord noLength = sameForAllLevels(ServiceShift, 0, 0);
    noLength.ServiceEnd = noLength.ServiceStart;
    QTest::newRow("service day of no length") << noLength;
    ProductRecord reversed = sameForAllLevels(ServiceShift, 0, 0);
    std::swap(reversed.ServiceStart, reversed.ServiceEnd);
    QTest::newRow("service end before start") << reversed;
}

void TestEscalationScheduler::notComputed()
{
    QFETCH(ProductRecord, product);

    CaseRecord record = newCase(Mon, at(u"10:00"_s));
    record.FirstEscTime = 11;
    record.SecEscTime = 22;
    record.ThirdEscTime = 33;
    CaseRecord expected = record;
    expected.FirstEscDate = expected.SecEscDate = expected.ThirdEscDate = day(Mon);
    EscalationScheduler::computeEscalationDeadlines(record, product);

    QVERIFY(record == expected);
}

void TestEscalationScheduler::checkStartTime_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("serviceStart");
    QTest::addColumn<int>("serviceEnd");
    QTest::addColumn<int>("startTime");
    QTest::addColumn<QString>("message");

    const int h09 = at(u"09:00"_s), h17 = at(u"17:00"_s);
    const QString nineToFive = u"  StartTime MUST in SLA-range of 09:00 and 17:00 hours!"_s;
    QTest::newRow("before the start") << ServiceShift << h09 << h17 << at(u"08:59"_s) << nineToFive;
    QTest::newRow("at the start") << ServiceShift << h09 << h17 << h09 << QString();
    QTest::newRow("at the end") << ServiceShift << h09 << h17 << h17 << QString();
    QTest::newRow("a unit after the end") << ServiceShift << h09 << h17 << h17 + 1 << nineToFive;
    QTest::newRow("other window") << ServiceShift << at(u"08:00"_s) << at(u"16:30"_s) << at(u"16:31"_s)
                                  << u"  StartTime MUST in SLA-range of 08:00 and 16:30 hours!"_s;
    QTest::newRow("24 hours") << RoundTheClock << h09 << h17 << at(u"08:00"_s) << QString();
}

void TestEscalationScheduler::checkStartTime()
{
    QFETCH(int, shift);
    QFETCH(int, serviceStart);
    QFETCH(int, serviceEnd);
    QFETCH(int, startTime);
    QFETCH(QString, message);

    ProductRecord product = sameForAllLevels(shift, at(u"01:00"_s), 0);
    product.ServiceStart = serviceStart;
    product.ServiceEnd = serviceEnd;
    QCOMPARE(EscalationScheduler::checkStartTime(newCase(Mon, startTime), product).value_or(QString()), message);
}

void TestEscalationScheduler::checkStartDate_data()
{
    QTest::addColumn<int>("shift");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("message");

    const QString noWeekends = u"   Service Shift - SLA - No Weekends!"_s;
    QTest::newRow("Saturday") << ServiceShift << Sat << noWeekends;
    QTest::newRow("Sunday") << ServiceShift << Sun << noWeekends;
    QTest::newRow("Monday") << ServiceShift << Mon10 << QString();
    QTest::newRow("no date") << ServiceShift << QDate() << QString();
    QTest::newRow("24 hours on Saturday") << RoundTheClock << Sat << QString();
}

void TestEscalationScheduler::checkStartDate()
{
    QFETCH(int, shift);
    QFETCH(QDate, date);
    QFETCH(QString, message);

    const ProductRecord product = sameForAllLevels(shift, at(u"01:00"_s), 0);
    QCOMPARE(EscalationScheduler::checkStartDate(newCase(date, at(u"10:00"_s)), product).value_or(QString()), message);
}

// Stores the products in a fresh database, then computes every case through the product file.
void TestEscalationScheduler::computeForCase(CaseRecord &record, const QList<ProductRecord> &stored,
                                             ScriptedMessages &messages)
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    store::Database db(dir.path());
    ErrorReporter errors(messages, [](int) {});
    RecordFileOf<ProductRecord> products(db, errors);
    QCOMPARE(products.open(), 0);
    for (const ProductRecord &product : stored) {
        products.record() = product;
        products.record().Product = u"Product "_s + product.IDProduct; // a product is stored with its name
        QCOMPARE(products.insert(), 0);
    }
    // An earlier case leaves its product in the buffer; it must not stand in for a missing one.
    CaseRecord earlier = newCase(Mon, at(u"10:00"_s));
    earlier.IDProduct = stored.first().IDProduct;
    EscalationScheduler::computeForCase(earlier, products, messages);
    EscalationScheduler::computeForCase(record, products, messages);
}

void TestEscalationScheduler::productIsReadFromTheFile()
{
    ProductRecord office = sameForAllLevels(ServiceShift, at(u"04:00"_s), 0);
    office.IDProduct = u"OFFICE"_s;
    CaseRecord record = newCase(Mon, at(u"16:00"_s));
    record.IDProduct = office.IDProduct;
    ScriptedMessages messages;
    computeForCase(record, {office}, messages);

    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QCOMPARE(DateTime::toDate(record.ThirdEscDate), Tue);
    QCOMPARE(record.ThirdEscTime, at(u"12:00"_s) + 1);
}

void TestEscalationScheduler::missingProductIsReportedAndCountsAsEmpty()
{
    ProductRecord office = sameForAllLevels(ServiceShift, at(u"04:00"_s), 0);
    office.IDProduct = u"OFFICE"_s;
    CaseRecord record = newCase(Sat, at(u"16:00"_s));
    record.IDProduct = u"GONE"_s;
    ScriptedMessages messages;
    messages.expect(u"Record Not Found"_s, ButtonOk);
    computeForCase(record, {office}, messages);

    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    const MessageRequest &shown = messages.shown().constLast();
    QCOMPARE(shown.caption, u"Quor Vellum 1.2"_s);
    QCOMPARE(shown.text, u"Record Not Found"_s);
    QCOMPARE(shown.icon, MessageIcon::Information);
    QCOMPARE(shown.buttons, int(ButtonOk));
    CaseRecord expected = newCase(Sat, at(u"16:00"_s));
    expected.IDProduct = record.IDProduct;
    expected.FirstEscDate = day(Sat);
    expected.FirstEscTime = at(u"16:00"_s);
    expected.SecAction = expected.ThirdAction = CaseVocabulary::NotInUse;
    QVERIFY(record == expected);
}

void TestEscalationScheduler::emptyServiceDayIsReported()
{
    ProductRecord broken = sameForAllLevels(ServiceShift, at(u"04:00"_s), 0);
    broken.IDProduct = u"BROKEN"_s;
    broken.ServiceEnd = broken.ServiceStart;
    CaseRecord record = newCase(Mon, at(u"16:00"_s));
    record.IDProduct = broken.IDProduct;
    ScriptedMessages messages;
    messages.expect(u"  Office Hours TimeSpan : Minimal 7 and Maximal 9 hours !"_s, ButtonOk);
    messages.expect(u"  Office Hours TimeSpan : Minimal 7 and Maximal 9 hours !"_s, ButtonOk);
    computeForCase(record, {broken}, messages);

    QVERIFY2(messages.failures().isEmpty(), qPrintable(messages.unexpected()));
    QCOMPARE(record.ThirdEscDate, day(Mon));
    QCOMPARE(record.ThirdEscTime, 0);
}

QTEST_GUILESS_MAIN(TestEscalationScheduler)
#include "TestEscalationScheduler.moc"
