#pragma once
// The fixed words and values a case stores, in Sercase.tps and in the knowledge base's copy: its
// statuses, priorities, escalation flags and phases, and the owner's marker. Every place that
// writes or compares one takes it from here. Stored words are blank-padded to their field width
// and compared trimmed.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace vellum::CaseVocabulary {

// SER:Status
inline const QString Active = QStringLiteral("Active");
inline const QString OnHold = QStringLiteral("On Hold");
inline const QString Closed = QStringLiteral("Closed");

// SER:Priority, also a client's and a product's own level. The words sort alphabetically in
// order of urgency; a choice list offers them the most urgent first.
inline const QString High = QStringLiteral("High");
inline const QString Medium = QStringLiteral("Medium");
inline const QString Minimal = QStringLiteral("Minimal");
inline const QStringList Priorities{High, Medium, Minimal};

// SER:FirstAction, SER:SecAction, SER:ThirdAction: the state of an escalation level.
inline const QString Open = QStringLiteral("N"); // work still to do
inline const QString Done = QStringLiteral("D");
inline const QString NotInUse = QStringLiteral("Y"); // the product's service level has no such level

// The name of the escalation phase running at a level, 1 to 3, as the case lists show it.
inline const QString &phase(int level)
{
    static const QString words[] = {QStringLiteral("Esc1"), QStringLiteral("Esc2"), QStringLiteral("Esc3")};
    Q_ASSERT(level >= 1 && level <= 3);
    return words[level - 1];
}

// SER:UpdateFlag, the owner's marker: the icon of the case's row in the activity view.
namespace Marker {
inline constexpr std::uint16_t NothingNew = 0;      // nothing new for the owner
inline constexpr std::uint16_t ChangedByOthers = 1; // changed, annotated or assigned by somebody else
inline constexpr std::uint16_t OnHold = 2;          // the owner saved it on hold
} // namespace Marker

} // namespace vellum::CaseVocabulary
