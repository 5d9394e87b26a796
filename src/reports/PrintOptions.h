#pragma once
// The choices of a selecting report's options window, remembered per workstation in "Config".
// A missing or 0 choice reads as 1, a blank agent as "Admin".

#include "ListReport.h"

#include <QString>

namespace vellum {

class SettingsFile;

struct PrintOptions {
    enum AgentChoice { AllAgents = 1, OneAgent = 2 };
    // Second choice of the knowledge-base report.
    enum Property { AllProperties = 1, ByProduct = 2, ByClient = 3, ClosedOnly = 4 };

    int agentChoice = AllAgents;
    QString agent = DefaultAgent;
    int secondChoice = 1; // status, activity or property: 1 to 4
    QString product;      // knowledge base only
    QString client;       // knowledge base only

    static inline const QString DefaultAgent = QStringLiteral("Admin");

    // Only the three selecting reports have options; the others read as all records.
    static PrintOptions load(const SettingsFile &settings, ListReport report);
    // False when the settings file could not be written.
    bool save(SettingsFile &settings, ListReport report) const;
};

} // namespace vellum
