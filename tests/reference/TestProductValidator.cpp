// The product checks of OK in their order, each failure with its exact message and the field the
// cursor goes to; the day counts brought down to three when office hours are chosen.

#include "reference/ProductValidator.h"

#include "framework/DateTime.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace vellum;

namespace {

using Col = ProductRecord::Col;

// "h:mm" as stored; "-" is a time not entered.
std::int32_t timeOf(const QString &text)
{
    return text == u"-"_s ? DateTime::NoTime : DateTime::parseHoursMinutes(text);
}

// days "d1/d2/d3", times "h1/h2/h3", office day "start-end" (empty: 24-hour service).
ProductRecord product(const QString &days, const QString &times, const QString &officeDay)
{
    const QStringList d = days.split(u'/');
    const QStringList h = times.split(u'/');
    ProductRecord product;
    product.FirstEscDays = d[0].toInt();
    product.SecEscDays = d[1].toInt();
    product.ThirdEscDays = d[2].toInt();
    product.FirstEsc = timeOf(h[0]);
    product.SecEsc = timeOf(h[1]);
    product.ThdEsc = timeOf(h[2]);
    if (!officeDay.isEmpty()) {
        product.ServiceShift = ProductValidator::OfficeHours;
        product.ServiceStart = timeOf(officeDay.section(u'-', 0, 0));
        product.ServiceEnd = timeOf(officeDay.section(u'-', 1, 1));
    }
    return product;
}

const QString Passes;
const QString Ascending = u" Escalation times must be ascending ! "_s;
const QString Zero = u" Escalation field can not be zero.. "_s;
const QString Empty = u" Escalation field can not be empty.. "_s;
const QString MaximumDays = u"  Maximum is 3 Days (72 hours) when using Office Hours !"_s;
const QString StartAfterEnd = u"  Start Service can NOT be later then End Service !"_s;
const QString Span = u"  Office Hours TimeSpan : Minimal 7 and Maximal 9 hours !"_s;

} // namespace

class TestProductValidator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validate_data();
    void validate();
    void fixedPriorityNeedsAChoice_data();
    void fixedPriorityNeedsAChoice();
    void officeHoursClampDays_data();
    void officeHoursClampDays();
    void failureShownAsInformation();
};

void TestProductValidator::validate_data()
{
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("times");
    QTest::addColumn<QString>("officeDay");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("field");

    // Times alone, all days zero.
    QTest::newRow("0/0/0 at 0:00 each") << u"0/0/0"_s << u"0:00/0:00/0:00"_s << QString() << Zero << int(Col::FirstEsc);
    QTest::newRow("0/0/0 without times") << u"0/0/0"_s << u"-/-/-"_s << QString() << Empty << int(Col::FirstEsc);
    QTest::newRow("0/0/0 three times descending")
        << u"0/0/0"_s << u"1:00/3:00/2:00"_s << QString() << Ascending << int(Col::FirstEsc);
    QTest::newRow("0/0/0 three times ascending") << u"0/0/0"_s << u"1:00/2:00/3:00"_s << QString() << Passes << -1;
    QTest::newRow("0/0/0 two at 0:00, third later") << u"0/0/0"_s << u"0:00/0:00/1:00"_s << QString() << Passes << -1;
    QTest::newRow("0/0/0 two times at 0:00")
        << u"0/0/0"_s << u"0:00/0:00/-"_s << QString() << Zero << int(Col::FirstEsc);
    QTest::newRow("0/0/0 two times descending")
        << u"0/0/0"_s << u"2:00/1:00/-"_s << QString() << Ascending << int(Col::FirstEsc);
    QTest::newRow("0/0/0 two times ascending") << u"0/0/0"_s << u"1:00/2:00/-"_s << QString() << Passes << -1;
    QTest::newRow("0/0/0 first time only") << u"0/0/0"_s << u"1:00/-/-"_s << QString() << Passes << -1;
    QTest::newRow("0/0/0 third time only") << u"0/0/0"_s << u"-/-/1:00"_s << QString() << Passes << -1;
    // Ascending days: the times are not compared.
    QTest::newRow("1/1/1 times 2:00/1:00/3:00") << u"1/1/1"_s << u"2:00/1:00/3:00"_s << QString() << Passes << -1;
    QTest::newRow("1/2/3 without times") << u"1/2/3"_s << u"-/-/-"_s << QString() << Passes << -1;
    // Days out of order, each branch in turn.
    QTest::newRow("third day before second")
        << u"1/3/2"_s << u"-/-/-"_s << QString() << Ascending << int(Col::ThirdEscDays);
    QTest::newRow("third before second on its day")
        << u"3/1/1"_s << u"-/2:00/1:00"_s << QString() << Ascending << int(Col::ThdEsc);
    QTest::newRow("third before second, no second day")
        << u"1/0/0"_s << u"-/2:00/1:00"_s << QString() << Ascending << int(Col::ThdEsc);
    QTest::newRow("third day before first")
        << u"3/1/2"_s << u"-/-/-"_s << QString() << Ascending << int(Col::ThirdEscDays);
    QTest::newRow("third before first on its day")
        << u"2/1/2"_s << u"3:00/-/1:00"_s << QString() << Ascending << int(Col::ThdEsc);
    QTest::newRow("third before first, no first day")
        << u"0/2/0"_s << u"3:00/-/1:00"_s << QString() << Ascending << int(Col::ThdEsc);
    QTest::newRow("second day before first")
        << u"3/2/4"_s << u"-/-/-"_s << QString() << Ascending << int(Col::SecEscDays);
    QTest::newRow("second before first on its day")
        << u"2/2/0"_s << u"3:00/1:00/-"_s << QString() << Ascending << int(Col::SecEsc);
    QTest::newRow("1/0/2: no second day") << u"1/0/2"_s << u"-/-/-"_s << QString() << Ascending << int(Col::SecEscDays);
    QTest::newRow("second before first, no first day")
        << u"0/2/0"_s << u"3:00/1:00/-"_s << QString() << Ascending << int(Col::SecEsc);
    QTest::newRow("days out of order, times in order") << u"0/2/0"_s << u"1:00/2:00/-"_s << QString() << Passes << -1;
    // Office hours.
    QTest::newRow("office 8:00-16:30") << u"1/2/3"_s << u"-/-/-"_s << u"8:00-16:30"_s << Passes << -1;
    QTest::newRow("office 8:00-15:00, exactly 7 hours") << u"1/2/3"_s << u"-/-/-"_s << u"8:00-15:00"_s << Passes << -1;
    QTest::newRow("office 8:00-17:00, exactly 9 hours") << u"1/2/3"_s << u"-/-/-"_s << u"8:00-17:00"_s << Passes << -1;
    QTest::newRow("office 8:00-17:01") << u"1/2/3"_s << u"-/-/-"_s << u"8:00-17:01"_s << Span << int(Col::ServiceStart);
    QTest::newRow("office 8:00-14:59") << u"1/2/3"_s << u"-/-/-"_s << u"8:00-14:59"_s << Span << int(Col::ServiceStart);
    QTest::newRow("office start after end")
        << u"1/2/3"_s << u"-/-/-"_s << u"17:00-8:00"_s << StartAfterEnd << int(Col::ServiceStart);
    QTest::newRow("office first days 4") << u"4/4/4"_s << u"-/-/-"_s << u"8:00-8:01"_s << MaximumDays
                                         << int(Col::FirstEscDays);
    QTest::newRow("office second days 5")
        << u"0/5/6"_s << u"-/-/-"_s << u"8:00-16:00"_s << MaximumDays << int(Col::SecEscDays);
    QTest::newRow("office third days 4") << u"1/2/4"_s << u"-/-/-"_s << u"8:00-16:00"_s << MaximumDays
                                         << int(Col::ThirdEscDays);
    QTest::newRow("office days checked before order")
        << u"5/1/1"_s << u"-/-/-"_s << u"8:00-16:00"_s << MaximumDays << int(Col::FirstEscDays);
    QTest::newRow("order checked before office day")
        << u"1/3/2"_s << u"-/-/-"_s << u"8:00-20:00"_s << Ascending << int(Col::ThirdEscDays);
    QTest::newRow("24 hours: many days") << u"4/5/6"_s << u"-/-/-"_s << QString() << Passes << -1;
}

void TestProductValidator::validate()
{
    QFETCH(QString, days);
    QFETCH(QString, times);
    QFETCH(QString, officeDay);
    QFETCH(QString, message);
    QFETCH(int, field);

    const ProductCheck check = ProductValidator::validate(product(days, times, officeDay));

    QCOMPARE(check.message, message);
    QCOMPARE(check.field, field);
}

void TestProductValidator::fixedPriorityNeedsAChoice_data()
{
    QTest::addColumn<int>("fixed");
    QTest::addColumn<QString>("priority");
    QTest::addColumn<bool>("passes");
    QTest::newRow("fixed, none chosen") << 1 << QString() << false;
    QTest::newRow("fixed, High") << 1 << u"High"_s << true;
    QTest::newRow("fixed, Minimal") << 1 << u"Minimal"_s << true;
    QTest::newRow("not fixed, none chosen") << 0 << QString() << true;
}

void TestProductValidator::fixedPriorityNeedsAChoice()
{
    QFETCH(int, fixed);
    QFETCH(QString, priority);
    QFETCH(bool, passes);
    ProductRecord checked = product(u"0/0/0"_s, u"1:00/-/-"_s, {});
    checked.PriorityFix = std::uint8_t(fixed);
    checked.Priority = priority;

    const ProductCheck check = ProductValidator::validate(checked);

    const ProductCheck expected = passes ? ProductCheck{} : ProductCheck{QString(), int(Col::Priority)};
    QCOMPARE(check.message, expected.message);
    QCOMPARE(check.field, expected.field);
}

void TestProductValidator::officeHoursClampDays_data()
{
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("clampedDays");
    QTest::addColumn<QList<int>>("fields");
    QTest::newRow("first four days") << u"4/0/0"_s << u"3/0/0"_s << QList<int>{Col::FirstEscDays};
    QTest::newRow("first and third") << u"9/3/4"_s << u"3/3/3"_s << QList<int>{Col::FirstEscDays, Col::ThirdEscDays};
    QTest::newRow("three days stay") << u"3/3/3"_s << u"3/3/3"_s << QList<int>{};
}

void TestProductValidator::officeHoursClampDays()
{
    QFETCH(QString, days);
    QFETCH(QString, clampedDays);
    QFETCH(QList<int>, fields);
    ProductRecord clamped = product(days, u"-/-/-"_s, {});

    const std::vector<ProductCheck> checks = ProductValidator::clampToOfficeHours(&clamped);

    QCOMPARE(u"%1/%2/%3"_s.arg(clamped.FirstEscDays).arg(clamped.SecEscDays).arg(clamped.ThirdEscDays), clampedDays);
    QList<int> named;
    for (const ProductCheck &check : checks) {
        QCOMPARE(check.message, MaximumDays);
        named << check.field;
    }
    QCOMPARE(named, fields);
}

void TestProductValidator::failureShownAsInformation()
{
    const MessageRequest request = ProductValidator::messageOf({Ascending, Col::ThdEsc});
    QCOMPARE(request.caption, u"Quor Vellum 1.2"_s);
    QCOMPARE(request.text, Ascending);
    QCOMPARE(request.icon, MessageIcon::Information);
    QCOMPARE(request.buttons, int(ButtonOk));
}

QTEST_APPLESS_MAIN(TestProductValidator)
#include "TestProductValidator.moc"
