#include "ProblemList.h"

#include "UserLevels.h"
#include "data/CaseFileLinks.h"
#include "data/ProblemRecord.h"
#include "data/Workstation.h"
#include "framework/RecordFile.h"
#include "framework/widgets/BrowseRowEditor.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

const QString ProblemList::ProcedureName = u"BrowsProblem"_s;

ProblemList::ProblemList(Workstation &workstation, QWidget *parent)
    : BrowseList(ProcedureName,
                 std::make_unique<RecordFileOf<ProblemRecord>>(workstation.database(), workstation.errors()),
                 caseFileRelations(), workstation.settings(), parent)
{
    setWindowTitle(u"Problems  - PreSelection"_s);
    setColumns({{ProblemRecord::Col::PROBLEM, u"Problem"_s, 50, {}}});
    file().setFieldLabel(ProblemRecord::Col::PROBLEM, u"Problem"_s);
    setOrders({{u"Problem"_s, ProblemRecord::KeyProblem, {}, true}});
    // A list left open after its supervisor logged out only shows the categories.
    setRights([&workstation] {
        return UserLevels::maySupervise(workstation.levelInForce()) ? InsertButton | ChangeButton | DeleteButton
                                                                    : Buttons();
    });
    setBackgroundColor(workstation.run().browseColor);
    // The list's closing button is its "&OK".
    if (auto *close = findChild<QPushButton *>(u"close"_s))
        close->setText(u"&OK"_s);
    addHeading();
    m_rows = std::make_unique<BrowseRowEditor>(this, ProblemColumn);
}

// The row editor goes first: it still reads the list's file as it lets go.
ProblemList::~ProblemList() = default;

void ProblemList::addHeading()
{
    auto *heading = new QLabel(u"Browsing Problems"_s);
    heading->setObjectName(u"heading"_s);
    if (auto *rows = qobject_cast<QBoxLayout *>(layout()))
        rows->insertWidget(0, heading);
}

} // namespace vellum
