#include "CaseListRules.h"

#include "data/Workstation.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString CaseListRules::ViewFlagKey = u"ViewFlag"_s;
const QString CaseListRules::ViewFlag2Key = u"ViewFlag2"_s;

namespace {

CaseListRules common(const Workstation &workstation)
{
    CaseListRules rules;
    rules.user = workstation.user().name;
    rules.agent = workstation.user().level == LevelUser;
    rules.noOnHold = workstation.run().noOnHold;
    rules.byPriority = CaseListRules::storedByPriority(workstation);
    rules.today = workstation.clock().today();
    rules.now = workstation.clock().now();
    return rules;
}

} // namespace

CaseListRules CaseListRules::forMonitor(const Workstation &workstation)
{
    CaseListRules rules = common(workstation);
    rules.ownCasesOnly = !rules.agent && storedOwnCases(workstation);
    rules.agentInCapitals = true;
    return rules;
}

CaseListRules CaseListRules::forActivityView(const Workstation &workstation, bool ownCases)
{
    CaseListRules rules = common(workstation);
    rules.ownCasesOnly = rules.agent || ownCases;
    return rules;
}

bool CaseListRules::storedOwnCases(const Workstation &workstation)
{
    return workstation.settings().readNumber(workstation.user().name, ViewFlagKey) != 0;
}

bool CaseListRules::storedByPriority(const Workstation &workstation)
{
    return workstation.settings().readNumber(workstation.user().name, ViewFlag2Key) != 0;
}

} // namespace vellum
