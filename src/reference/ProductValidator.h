#pragma once
// What the product form checks before a product is saved: the escalation days and times in
// ascending order, at most three days with office hours, an office day of 7 to 9 hours, and a
// chosen priority when the product has a fixed one. A failed check names its message (none for
// the priority) and the field the cursor goes to.

#include "data/ProductRecord.h"
#include "framework/Messages.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vellum {

struct ProductCheck {
    QString message; // empty: the check fails without a message
    int field = -1;  // ProductRecord::Col of the field to put the cursor on; -1 when passed

    bool passed() const { return field < 0; }
    friend bool operator==(const ProductCheck &, const ProductCheck &) = default;
};

class ProductValidator {
public:
    static const QString MaximumDays;
    static const QString NotAscending;
    static const QString ZeroEscalation;
    static const QString EmptyEscalation;
    static const QString StartAfterEnd;
    static const QString OfficeSpan;

    static constexpr int OfficeHoursMaximumDays = 3;
    static constexpr std::uint8_t Service24Hours = 0;
    static constexpr std::uint8_t OfficeHours = 1;

    // The choices of the priority list.
    static QStringList priorities();
    static bool priorityShown(const ProductRecord &product) { return product.PriorityFix != 0; }
    static bool serviceTimesShown(const ProductRecord &product) { return product.ServiceShift == OfficeHours; }

    // The checks of OK, in order; the first failure, or a passed check.
    static ProductCheck validate(const ProductRecord &product);
    // Choosing office hours: each day count above the maximum is set to it, one failure per field.
    static std::vector<ProductCheck> clampToOfficeHours(ProductRecord *product);

    // The information box that shows a failure's message.
    static MessageRequest messageOf(const ProductCheck &check);

private:
    static ProductCheck officeDays(const ProductRecord &product);
    static ProductCheck ascendingDays(const ProductRecord &product);
    static ProductCheck timesWithoutDays(const ProductRecord &product);
    static ProductCheck officeDay(const ProductRecord &product);
    static ProductCheck fixedPriority(const ProductRecord &product);
};

} // namespace vellum
