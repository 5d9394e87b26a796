#include "PriorityRules.h"

#include "data/CaseVocabulary.h"

using namespace Qt::StringLiterals;

namespace vellum {
namespace {

enum Rank { NoRank = 0, Minimal, Medium, High };

Rank rankOf(const QString &level)
{
    const QString word = level.trimmed();
    if (word.compare(CaseVocabulary::High, Qt::CaseInsensitive) == 0)
        return High;
    if (word.compare(CaseVocabulary::Medium, Qt::CaseInsensitive) == 0)
        return Medium;
    if (word.compare(CaseVocabulary::Minimal, Qt::CaseInsensitive) == 0)
        return Minimal;
    return NoRank;
}

QString wordOf(Rank rank)
{
    switch (rank) {
    case High:
        return CaseVocabulary::High;
    case Medium:
        return CaseVocabulary::Medium;
    case Minimal:
        return CaseVocabulary::Minimal;
    case NoRank:
        break;
    }
    return {};
}

bool samePriority(const QString &one, const QString &other)
{
    return one.trimmed().compare(other.trimmed(), Qt::CaseInsensitive) == 0;
}

bool isFixed(const std::optional<PriorityLevel> &level)
{
    return level && level->fixed;
}

PriorityLabel clientPriority()
{
    return {PriorityRules::clientLabel(), Qt::red};
}

PriorityLabel productPriority()
{
    return {PriorityRules::productLabel(), Qt::blue};
}

PriorityLabel casePriority()
{
    return {PriorityRules::caseLabel(), Qt::black};
}

// One fixed level decides alone. A level that holds none of the three words never overwrites
// the case's priority, as with both levels fixed.
void takeLevel(PriorityView &view, const PriorityLevel &level, const PriorityLabel &label)
{
    if (const Rank rank = rankOf(level.level); rank != NoRank)
        view.priority = wordOf(rank);
    view.label = label;
}

// Both fixed: the table; either level not a word leaves priority and label as they were.
void takeBoth(PriorityView &view, const PriorityLevel &client, const PriorityLevel &product)
{
    if (const auto derived = PriorityRules::bothFixed(client.level, product.level)) {
        view.priority = derived->priority;
        view.label = derived->label;
    }
}

void writeInto(CaseRecord &record, const PriorityView &view)
{
    record.Priority = view.priority;
    record.PriorityFix = view.priorityFix;
}

} // namespace

PriorityChooser PriorityChooser::of(const CurrentUser &user, const CaseRecord &record)
{
    PriorityChooser chooser;
    chooser.owner = user.name.trimmed().toUpper() == record.Owner.trimmed().toUpper();
    chooser.level = user.level;
    chooser.closed = record.Status.trimmed() == CaseVocabulary::Closed;
    return chooser;
}

const QString &PriorityRules::clientLabel()
{
    static const QString text = u"Client Priority"_s;
    return text;
}

const QString &PriorityRules::productLabel()
{
    static const QString text = u"Product Priority"_s;
    return text;
}

const QString &PriorityRules::bothLabel()
{
    static const QString text = u"Client & Product Priority"_s;
    return text;
}

const QString &PriorityRules::caseLabel()
{
    static const QString text = u"Case Priority"_s;
    return text;
}

const QString &PriorityRules::derivedNote()
{
    static const QString text = u" -- Product or Client Priority Level is Set or Changed ! -- "_s;
    return text;
}

const QString &PriorityRules::recordedNote()
{
    static const QString text = u" -- Client or Product Priority Level is Set or Changed !-- "_s;
    return text;
}

std::optional<DerivedPriority> PriorityRules::bothFixed(const QString &client, const QString &product)
{
    const Rank c = rankOf(client);
    const Rank p = rankOf(product);
    if (c == NoRank || p == NoRank)
        return std::nullopt;
    if (c == p)
        return DerivedPriority{wordOf(c), {bothLabel(), Qt::red}};
    if (c > p)
        return DerivedPriority{wordOf(c), clientPriority()};
    return DerivedPriority{wordOf(p), productPriority()};
}

bool PriorityRules::mayChoosePriority(const PriorityChooser &chooser, std::uint8_t priorityFix)
{
    if (priorityFix != 0)
        return false;
    if (chooser.level != LevelUser)
        return !chooser.closed;
    return chooser.owner;
}

std::optional<PriorityLevel> PriorityRules::clientLevel(RecordFileOf<ClientRecord> &clients, const QString &shortName)
{
    clients.record().SName = shortName;
    if (clients.fetch(ClientRecord::SNameKey) != 0)
        return std::nullopt;
    return PriorityLevel::of(clients.record());
}

std::optional<PriorityLevel> PriorityRules::productLevel(RecordFileOf<ProductRecord> &products,
                                                         const QString &productId)
{
    products.record().IDProduct = productId;
    if (products.fetch(ProductRecord::IDProductKey) != 0)
        return std::nullopt;
    return PriorityLevel::of(products.record());
}

StoredDerivation PriorityRules::derivePriority(CaseRecord &record, CaseHistory &history,
                                               const std::optional<PriorityLevel> &client,
                                               const std::optional<PriorityLevel> &product,
                                               const PriorityChooser &chooser, const HistoryEntry &entry)
{
    m_remembered = record.Priority;
    PriorityView view{record.Priority, record.PriorityFix, casePriority(), true, false};
    if (client) {
        if (client->fixed) {
            view.priorityFix = 1;
            takeLevel(view, *client, clientPriority());
        } else {
            view.label = casePriority();
        }
    }
    if (product) {
        if (!product->fixed) {
            if (!client || !client->fixed) {
                view.priorityFix = 0;
                view.label = casePriority();
            }
        } else if (isFixed(client)) {
            view.priorityFix = 1;
            takeBoth(view, *client, *product);
        } else {
            view.priorityFix = 1;
            takeLevel(view, *product, productPriority());
        }
    }
    view.choiceEnabled = mayChoosePriority(chooser, view.priorityFix);
    writeInto(record, view);
    m_view = view;

    StoredDerivation outcome{view, std::nullopt};
    if (view.priorityFix == 1 && !samePriority(record.Priority, m_remembered)) {
        outcome.systemEntry = appendSystemChange(record, history, derivedNote(), entry);
        m_remembered = record.Priority;
    }
    return outcome;
}

PriorityView PriorityRules::acceptClient(CaseRecord &record, const PriorityLevel &client)
{
    m_client = client;
    m_view.choiceShown = true;
    return decideNewCase(record, false);
}

PriorityView PriorityRules::acceptProduct(CaseRecord &record, const PriorityLevel &product)
{
    m_product = product;
    return decideNewCase(record, true);
}

PriorityView PriorityRules::decideNewCase(CaseRecord &record, bool productLast)
{
    PriorityView view = m_view;
    view.priority = record.Priority;
    const bool clientFixed = isFixed(m_client);
    const bool productFixed = isFixed(m_product);
    if (clientFixed && productFixed) {
        takeBoth(view, *m_client, *m_product);
        // The product deciding last on two "Medium" levels leaves its own colour on the label.
        if (productLast && rankOf(m_client->level) == Medium && rankOf(m_product->level) == Medium)
            view.label.colour = Qt::blue;
    } else if (clientFixed) {
        takeLevel(view, *m_client, clientPriority());
    } else if (productFixed) {
        takeLevel(view, *m_product, productPriority());
    } else {
        view.label = casePriority();
    }
    view.priorityFix = clientFixed || productFixed ? 1 : 0;
    view.choiceEnabled = !clientFixed && !productFixed;
    writeInto(record, view);
    m_view = view;
    return view;
}

PriorityChangeResult PriorityRules::recordPriorityChange(CaseRecord &record, CaseHistory &history,
                                                         const HistoryEntry &entry)
{
    if (samePriority(record.Priority, m_remembered))
        return {PriorityChange::Unchanged, AppendResult::NothingToAppend};
    if (record.PriorityFix != 1)
        return {PriorityChange::NeedsNote, AppendResult::NothingToAppend};
    const AppendResult appended = appendSystemChange(record, history, recordedNote(), entry);
    // Remembered, so that the same change is not recorded twice.
    m_remembered = record.Priority;
    return {PriorityChange::BySystem, appended};
}

AppendResult PriorityRules::recordAgentChange(CaseRecord &record, CaseHistory &history, const HistoryEntry &entry)
{
    const AppendResult appended =
        history.appendHistory(record, CaseEvent::PriorityChangeByAgent, changeEntry(record, entry));
    if (entryWritten(appended))
        m_remembered = record.Priority;
    return appended;
}

void PriorityRules::cancelAgentChange(CaseRecord &record) const
{
    record.Priority = m_remembered;
}

HistoryEntry PriorityRules::changeEntry(const CaseRecord &record, const HistoryEntry &entry) const
{
    HistoryEntry change = entry;
    change.oldPriority = m_remembered;
    change.newPriority = record.Priority;
    return change;
}

AppendResult PriorityRules::appendSystemChange(CaseRecord &record, CaseHistory &history, const QString &note,
                                               const HistoryEntry &entry)
{
    // The system's note is no user's text: when it is not written it does not stay behind.
    const QString userNote = record.AddHistory;
    record.AddHistory = note;
    const AppendResult appended =
        history.appendHistory(record, CaseEvent::PriorityChangeBySystem, changeEntry(record, entry));
    if (!entryWritten(appended))
        record.AddHistory = userNote;
    return appended;
}

} // namespace vellum
