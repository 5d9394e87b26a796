#pragma once
// A case's priority from the fixed levels of its client and product, what the case form shows
// about it, who may choose it by hand, and how a change is recorded in the history.
// One object per case form: it keeps the priority the case had when the form opened (the
// remembered priority) and, for a new case, the client and product accepted so far.

#include "CaseHistory.h"
#include "HistoryEntry.h"
#include "data/CaseRecord.h"
#include "data/ClientRecord.h"
#include "data/CurrentUser.h"
#include "data/ProductRecord.h"
#include "framework/RecordFile.h"

#include <QString>
#include <Qt>

#include <cstdint>
#include <optional>

namespace vellum {

// A client's or a product's own level; std::nullopt stands for one that cannot be found.
struct PriorityLevel {
    bool fixed = false;
    QString level; // "High", "Medium" or "Minimal" when set

    static PriorityLevel of(const ClientRecord &client) { return {client.PriorityFix != 0, client.Priority}; }
    static PriorityLevel of(const ProductRecord &product) { return {product.PriorityFix != 0, product.Priority}; }
    friend bool operator==(const PriorityLevel &, const PriorityLevel &) = default;
};

// The label beside the priority choice: where the priority comes from.
struct PriorityLabel {
    QString text;
    Qt::GlobalColor colour = Qt::black;
    friend bool operator==(const PriorityLabel &, const PriorityLabel &) = default;
};

// A derived priority with its label.
struct DerivedPriority {
    QString priority;
    PriorityLabel label;
    friend bool operator==(const DerivedPriority &, const DerivedPriority &) = default;
};

// What the case holds and the form shows after a derivation.
struct PriorityView {
    QString priority;             // SER:Priority
    std::uint8_t priorityFix = 0; // SER:PriorityFix
    PriorityLabel label;
    bool choiceShown = false;
    bool choiceEnabled = false;
    friend bool operator==(const PriorityView &, const PriorityView &) = default;
};

// Who looks at a stored case.
struct PriorityChooser {
    bool owner = false;    // the user owns the case (names compared in capitals)
    int level = LevelUser; // the user's level
    bool closed = false;   // the case was "Closed" when the form opened

    static PriorityChooser of(const CurrentUser &user, const CaseRecord &record);
};

// The outcome of opening a stored case.
struct StoredDerivation {
    PriorityView view;
    // Set when the fixed levels changed the priority: a "by SYSTEM" entry was appended (whole, or
    // cut by a full history); the OK button gets the focus.
    std::optional<AppendResult> systemEntry;
};

enum class PriorityChange {
    Unchanged, // the priority is the remembered one: nothing happens
    BySystem,  // the priority is fixed: a "by SYSTEM" entry was appended (see the result's history)
    NeedsNote, // the user chose it: open the notes window, then recordAgentChange or cancelAgentChange
};

struct PriorityChangeResult {
    PriorityChange change = PriorityChange::Unchanged;
    AppendResult history = AppendResult::NothingToAppend; // of the "by SYSTEM" entry
};

class PriorityRules {
public:
    static const QString &clientLabel();  // "Client Priority"
    static const QString &productLabel(); // "Product Priority"
    static const QString &bothLabel();    // "Client & Product Priority"
    static const QString &caseLabel();    // "Case Priority"
    static const QString &derivedNote();  // the note when a stored case opens with a new priority
    static const QString &recordedNote(); // the note when a fixed priority is reported as changed

    // Both levels fixed: the nine cells; std::nullopt when either holds none of the three words.
    static std::optional<DerivedPriority> bothFixed(const QString &client, const QString &product);

    // Who may choose a priority by hand on a stored case: the owner, supervisors and
    // administrators, only while it is not fixed; supervisors and administrators not on a closed case.
    static bool mayChoosePriority(const PriorityChooser &chooser, std::uint8_t priorityFix);

    // Looks a level up: the client by SER:SName, the product by SER:IDProduct.
    static std::optional<PriorityLevel> clientLevel(RecordFileOf<ClientRecord> &clients, const QString &shortName);
    static std::optional<PriorityLevel> productLevel(RecordFileOf<ProductRecord> &products, const QString &productId);

    // A stored case opening: remembers its priority, derives it from the levels into the record
    // and records a change made by the fixed levels with a "by SYSTEM" entry.
    StoredDerivation derivePriority(CaseRecord &record, CaseHistory &history,
                                    const std::optional<PriorityLevel> &client,
                                    const std::optional<PriorityLevel> &product, const PriorityChooser &chooser,
                                    const HistoryEntry &entry);

    // A new case: the client or the product accepted on the form decides with what is known
    // of the other. Writes SER:Priority and SER:PriorityFix; no history entry.
    PriorityView acceptClient(CaseRecord &record, const PriorityLevel &client);
    PriorityView acceptProduct(CaseRecord &record, const PriorityLevel &product);
    // The client or product lookup was cancelled: it no longer counts.
    void forgetClient() { m_client.reset(); }
    void forgetProduct() { m_product.reset(); }

    // The priority choice of a stored case reported record.Priority as its new value.
    PriorityChangeResult recordPriorityChange(CaseRecord &record, CaseHistory &history, const HistoryEntry &entry);
    // After NeedsNote: the note in record.AddHistory was confirmed. Only a written entry (whole or
    // cut by a full history) makes the new priority the remembered one; after NoteTooLong the
    // caller puts the old one back or lets the user shorten the note.
    AppendResult recordAgentChange(CaseRecord &record, CaseHistory &history, const HistoryEntry &entry);
    // After NeedsNote: the notes window was cancelled; puts the remembered priority back.
    void cancelAgentChange(CaseRecord &record) const;

    const QString &remembered() const { return m_remembered; }
    void remember(const QString &priority) { m_remembered = priority; }
    const PriorityView &view() const { return m_view; }

private:
    PriorityView decideNewCase(CaseRecord &record, bool productLast);
    HistoryEntry changeEntry(const CaseRecord &record, const HistoryEntry &entry) const;
    AppendResult appendSystemChange(CaseRecord &record, CaseHistory &history, const QString &note,
                                    const HistoryEntry &entry);

    QString m_remembered;
    std::optional<PriorityLevel> m_client;  // new case: the client accepted so far
    std::optional<PriorityLevel> m_product; // new case: the product accepted so far
    PriorityView m_view;
};

} // namespace vellum
