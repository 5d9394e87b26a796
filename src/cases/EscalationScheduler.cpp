#include "EscalationScheduler.h"

#include "data/CaseVocabulary.h"
#include "framework/ApplicationMessage.h"
#include "framework/DateTime.h"

#include <array>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

// One day in this computation's time units, deliberately not 8 640 000: the deadlines already
// stored were worked out with it, both for wrapping past midnight and for service days.
constexpr std::int64_t DayLength = 8640009;
constexpr int MaxConvertedDays = 9;

enum ShiftMode : std::uint8_t { RoundTheClock = 0, ServiceShift = 1 };

// The record layer reports a missing record as a plain result, without a text of its own.
const QString ProductNotFound = u"Record Not Found"_s;
// The product form refuses such a window with this text; a case of an older product hears the same.
const QString EmptyServiceDay = u"  Office Hours TimeSpan : Minimal 7 and Maximal 9 hours !"_s;

struct ServiceWindow {
    std::int64_t start;
    std::int64_t end;
    std::int64_t length;
};

struct Level {
    std::int32_t storedOffset = 0;
    std::int32_t storedDays = 0;
    bool fullDayRollsOver = false; // level 2: a remainder of exactly one service day moves on a day
    std::int64_t offset = 0;       // the working offset; the not-in-use test reads what is left of it
    std::int32_t date = DateTime::NoDate;
    std::int64_t time = DateTime::NoTime;

    bool unused() const { return offset == 0 && storedDays == 0; }
};

using Levels = std::array<Level, 3>;

Level levelOf(std::int32_t offset, std::int32_t days, const CaseRecord &record, std::int32_t time)
{
    Level level;
    level.storedOffset = offset;
    level.storedDays = days;
    level.offset = offset;
    level.date = record.SDate;
    level.time = time;
    return level;
}

Levels levelsOf(const CaseRecord &record, const ProductRecord &product)
{
    Levels levels = {levelOf(product.FirstEsc, product.FirstEscDays, record, record.FirstEscTime),
                     levelOf(product.SecEsc, product.SecEscDays, record, record.SecEscTime),
                     levelOf(product.ThdEsc, product.ThirdEscDays, record, record.ThirdEscTime)};
    levels[1].fullDayRollsOver = true;
    return levels;
}

void computeRoundTheClock(Level &level, std::int32_t startTime, bool alwaysTimed)
{
    level.time = (alwaysTimed || !level.unused()) ? startTime + level.offset : DateTime::NoTime;
    while (level.time > DayLength) {
        level.time -= DayLength;
        ++level.date;
    }
    level.date += level.storedDays;
}

void adjustForWeekend(Level &level)
{
    level.date = EscalationScheduler::adjustForWeekend(level.date, level.storedDays);
}

// A whole day of escalation is that many service days, the rest joining the offset.
void convertDays(Level &level, const ServiceWindow &window)
{
    if (level.storedDays < 1 || level.storedDays > MaxConvertedDays)
        return;
    const std::int64_t units = level.storedDays * DayLength;
    level.date += static_cast<std::int32_t>(units / window.length);
    level.offset = units % window.length + level.storedOffset;
}

// An offset beyond the service end's value is spent a service day at a time, each day kept off weekends.
void spendWholeServiceDays(Level &level, std::int32_t startTime, const ServiceWindow &window)
{
    while (level.offset >= window.length) {
        level.offset -= window.length;
        ++level.date;
        adjustForWeekend(level);
    }
    level.time = startTime + level.offset;
}

// What does not fit before today's service end continues from a later day's service start.
void continueAfterServiceEnd(Level &level, std::int32_t startTime, const ServiceWindow &window)
{
    level.offset -= window.end - startTime;
    const bool beyondOneDay = level.fullDayRollsOver ? level.offset >= window.length : level.offset > window.length;
    ++level.date;
    if (beyondOneDay) {
        level.date += static_cast<std::int32_t>(level.offset / window.length);
        level.offset %= window.length;
    }
    level.time = window.start + level.offset;
    adjustForWeekend(level);
}

void computeServiceShift(Level &level, std::int32_t startTime, const ServiceWindow &window)
{
    convertDays(level, window);
    adjustForWeekend(level);
    if (level.offset > window.end) {
        spendWholeServiceDays(level, startTime, window);
    } else if (startTime + level.offset > window.end) {
        continueAfterServiceEnd(level, startTime, window);
    } else {
        level.time = startTime + level.offset;
        adjustForWeekend(level);
    }
}

ServiceWindow windowOf(const ProductRecord &product)
{
    const std::int64_t start = product.ServiceStart;
    const std::int64_t end = product.ServiceEnd;
    return {start, end, end - start};
}

// False when no level could be computed: an unknown mode, or a service shift without a service day.
bool computeLevels(Levels &levels, std::int32_t startTime, const ProductRecord &product)
{
    if (product.ServiceShift == RoundTheClock) {
        for (std::size_t k = 0; k < levels.size(); ++k)
            computeRoundTheClock(levels[k], startTime, k == 0);
        return true;
    }
    if (product.ServiceShift != ServiceShift || EscalationScheduler::hasEmptyServiceDay(product))
        return false;
    const ServiceWindow window = windowOf(product);
    for (Level &level : levels)
        computeServiceShift(level, startTime, window);
    return true;
}

void storeLevels(const Levels &levels, CaseRecord &record)
{
    record.FirstEscDate = levels[0].date;
    record.FirstEscTime = static_cast<std::int32_t>(levels[0].time);
    record.SecEscDate = levels[1].date;
    record.SecEscTime = static_cast<std::int32_t>(levels[1].time);
    record.ThirdEscDate = levels[2].date;
    record.ThirdEscTime = static_cast<std::int32_t>(levels[2].time);
}

void clearLevel(std::int32_t &date, std::int32_t &time, QString &action)
{
    date = DateTime::NoDate;
    time = DateTime::NoTime;
    action = CaseVocabulary::NotInUse;
}

// A level 2 that is not used switches level 3 off as well.
void clearUnusedLevels(const Levels &levels, CaseRecord &record)
{
    if (levels[1].unused()) {
        clearLevel(record.SecEscDate, record.SecEscTime, record.SecAction);
        clearLevel(record.ThirdEscDate, record.ThirdEscTime, record.ThirdAction);
    }
    if (levels[2].unused())
        clearLevel(record.ThirdEscDate, record.ThirdEscTime, record.ThirdAction);
}

void notify(Messages &messages, const QString &text)
{
    ApplicationMessage::show(messages, text);
}

// A product that cannot be read counts as a new, empty product: 24-hour service without offsets,
// so level 1 falls on the start moment and levels 2 and 3 are not in use. A failure of the record
// layer itself was already shown by it with its error text; only a missing record is reported here.
ProductRecord readProduct(const QString &id, RecordFileOf<ProductRecord> &products, Messages &messages)
{
    products.record().IDProduct = id;
    if (products.fetch(ProductRecord::IDProductKey) == 0)
        return products.record();
    if (products.lastError() == 0)
        notify(messages, ProductNotFound);
    return {};
}

bool hasServiceShift(const ProductRecord &product)
{
    return product.ServiceShift == ServiceShift;
}

} // namespace

void EscalationScheduler::computeEscalationDeadlines(CaseRecord &record, const ProductRecord &product)
{
    Levels levels = levelsOf(record, product);
    const bool computed = computeLevels(levels, record.STime, product);
    storeLevels(levels, record);
    if (computed)
        clearUnusedLevels(levels, record);
}

std::int32_t EscalationScheduler::adjustForWeekend(std::int32_t date, std::int32_t storedDays)
{
    if (storedDays > 1)
        date += 2;
    if (DateTime::isWeekend(date))
        date += 2;
    return date;
}

bool EscalationScheduler::hasEmptyServiceDay(const ProductRecord &product)
{
    return hasServiceShift(product) && windowOf(product).length <= 0;
}

std::optional<QString> EscalationScheduler::checkStartTime(const CaseRecord &record, const ProductRecord &product)
{
    if (!hasServiceShift(product) || (record.STime >= product.ServiceStart && record.STime <= product.ServiceEnd))
        return std::nullopt;
    return u"  StartTime MUST in SLA-range of %1 and %2 hours!"_s.arg(DateTime::formatHourMinute(product.ServiceStart),
                                                                      DateTime::formatHourMinute(product.ServiceEnd));
}

std::optional<QString> EscalationScheduler::checkStartDate(const CaseRecord &record, const ProductRecord &product)
{
    // Day 0 is no date at all, not a Sunday.
    if (!hasServiceShift(product) || record.SDate == DateTime::NoDate || !DateTime::isWeekend(record.SDate))
        return std::nullopt;
    return u"   Service Shift - SLA - No Weekends!"_s;
}

// A service shift without a service day is computed like an unknown mode: every date stays on the
// start date and the times are left alone. The product form refuses such windows, so it can only
// come from older data; the agent is told which rule the product breaks.
void EscalationScheduler::computeForCase(CaseRecord &record, RecordFileOf<ProductRecord> &products, Messages &messages)
{
    const ProductRecord product = readProduct(record.IDProduct, products, messages);
    if (hasEmptyServiceDay(product))
        notify(messages, EmptyServiceDay);
    computeEscalationDeadlines(record, product);
}

} // namespace vellum
