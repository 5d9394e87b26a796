#include "ProductValidator.h"

#include "data/CaseVocabulary.h"
#include "framework/ApplicationMessage.h"

#include "framework/DateTime.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using Col = ProductRecord::Col;

constexpr std::int32_t ZeroTime = 1; // 0:00 as a stored time
constexpr std::int32_t Hour = 360000;
constexpr std::int32_t ShortestOfficeDay = 7 * Hour;
constexpr std::int32_t LongestOfficeDay = 9 * Hour;

// One escalation: its day count and time, and the fields the cursor goes to.
struct Stage {
    std::int32_t days;
    std::int32_t time;
    int dayField;
    int timeField;
};

std::array<Stage, 3> stagesOf(const ProductRecord &product)
{
    return {{
        {product.FirstEscDays, product.FirstEsc, Col::FirstEscDays, Col::FirstEsc},
        {product.SecEscDays, product.SecEsc, Col::SecEscDays, Col::SecEsc},
        {product.ThirdEscDays, product.ThdEsc, Col::ThirdEscDays, Col::ThdEsc},
    }};
}

ProductCheck failure(const QString &message, int field)
{
    return {message, field};
}

bool timeBefore(const Stage &later, const Stage &earlier)
{
    return later.time != DateTime::NoTime && later.time < earlier.time;
}

// Both day counts set: the later escalation may not fall on an earlier day, nor earlier on the same day.
ProductCheck sameOrLaterDay(const Stage &later, const Stage &earlier)
{
    if (later.days < earlier.days)
        return failure(ProductValidator::NotAscending, later.dayField);
    if (later.days == earlier.days && timeBefore(later, earlier))
        return failure(ProductValidator::NotAscending, later.timeField);
    return {};
}

ProductCheck laterStage(const Stage &later, const Stage &earlier)
{
    if (later.days != 0 && earlier.days != 0)
        return sameOrLaterDay(later, earlier);
    if (earlier.days == 0 && timeBefore(later, earlier))
        return failure(ProductValidator::NotAscending, later.timeField);
    return {};
}

} // namespace

const QString ProductValidator::MaximumDays = u"  Maximum is 3 Days (72 hours) when using Office Hours !"_s;
const QString ProductValidator::NotAscending = u" Escalation times must be ascending ! "_s;
const QString ProductValidator::ZeroEscalation = u" Escalation field can not be zero.. "_s;
const QString ProductValidator::EmptyEscalation = u" Escalation field can not be empty.. "_s;
const QString ProductValidator::StartAfterEnd = u"  Start Service can NOT be later then End Service !"_s;
const QString ProductValidator::OfficeSpan = u"  Office Hours TimeSpan : Minimal 7 and Maximal 9 hours !"_s;

QStringList ProductValidator::priorities()
{
    return CaseVocabulary::Priorities;
}

ProductCheck ProductValidator::validate(const ProductRecord &product)
{
    const bool office = product.ServiceShift == OfficeHours;
    if (ProductCheck check = office ? officeDays(product) : ProductCheck{}; !check.passed())
        return check;
    if (ProductCheck check = ascendingDays(product); !check.passed())
        return check;
    if (ProductCheck check = timesWithoutDays(product); !check.passed())
        return check;
    if (ProductCheck check = office ? officeDay(product) : ProductCheck{}; !check.passed())
        return check;
    return fixedPriority(product);
}

ProductCheck ProductValidator::officeDays(const ProductRecord &product)
{
    for (const Stage &stage : stagesOf(product))
        if (stage.days > OfficeHoursMaximumDays)
            return failure(MaximumDays, stage.dayField);
    return {};
}

ProductCheck ProductValidator::ascendingDays(const ProductRecord &product)
{
    const auto [first, second, third] = stagesOf(product);
    if (third.days >= second.days && third.days >= first.days && second.days >= first.days)
        return {};
    if (ProductCheck check = laterStage(third, second); !check.passed())
        return check;
    if (ProductCheck check = laterStage(third, first); !check.passed())
        return check;
    if (second.days != 0 && first.days != 0)
        return sameOrLaterDay(second, first);
    // A third escalation days away needs a second one on a day as well.
    if (second.days == 0 && third.days != 0)
        return failure(NotAscending, second.dayField);
    if (first.days == 0 && timeBefore(second, first))
        return failure(NotAscending, second.timeField);
    return {};
}

ProductCheck ProductValidator::timesWithoutDays(const ProductRecord &product)
{
    if (product.FirstEscDays != 0 || product.SecEscDays != 0 || product.ThirdEscDays != 0)
        return {};
    const std::int32_t h1 = product.FirstEsc;
    const std::int32_t h2 = product.SecEsc;
    const std::int32_t h3 = product.ThdEsc;
    constexpr std::int32_t none = DateTime::NoTime;
    if (h1 != none && h2 != none && h3 != none) {
        if (h1 == ZeroTime && h2 == ZeroTime && h3 == ZeroTime)
            return failure(ZeroEscalation, Col::FirstEsc);
        if (h2 < h1 || h3 < h1 || h3 < h2)
            return failure(NotAscending, Col::FirstEsc);
        return {};
    }
    if (h1 != none && h2 != none) {
        if (h1 == ZeroTime && h2 == ZeroTime)
            return failure(ZeroEscalation, Col::FirstEsc);
        if (h2 < h1)
            return failure(NotAscending, Col::FirstEsc);
        return {};
    }
    if (h1 == none && h2 == none && h3 == none)
        return failure(EmptyEscalation, Col::FirstEsc);
    return {};
}

ProductCheck ProductValidator::officeDay(const ProductRecord &product)
{
    if (product.ServiceStart > product.ServiceEnd)
        return failure(StartAfterEnd, Col::ServiceStart);
    const std::int32_t span = product.ServiceEnd - product.ServiceStart;
    if (span < ShortestOfficeDay || span > LongestOfficeDay)
        return failure(OfficeSpan, Col::ServiceStart);
    return {};
}

ProductCheck ProductValidator::fixedPriority(const ProductRecord &product)
{
    if (product.PriorityFix != 0 && !priorities().contains(product.Priority.trimmed()))
        return failure({}, Col::Priority);
    return {};
}

std::vector<ProductCheck> ProductValidator::clampToOfficeHours(ProductRecord *product)
{
    const std::array<std::pair<std::int32_t ProductRecord::*, int>, 3> dayFields{{
        {&ProductRecord::FirstEscDays, Col::FirstEscDays},
        {&ProductRecord::SecEscDays, Col::SecEscDays},
        {&ProductRecord::ThirdEscDays, Col::ThirdEscDays},
    }};
    std::vector<ProductCheck> clamped;
    for (const auto &[days, field] : dayFields) {
        if (product->*days <= OfficeHoursMaximumDays)
            continue;
        product->*days = OfficeHoursMaximumDays;
        clamped.push_back(failure(MaximumDays, field));
    }
    return clamped;
}

MessageRequest ProductValidator::messageOf(const ProductCheck &check)
{
    MessageRequest request;
    request.caption = ApplicationMessage::Title;
    request.text = check.message;
    request.icon = MessageIcon::Information;
    request.buttons = ButtonOk;
    request.defaultButton = ButtonOk;
    return request;
}

} // namespace vellum
