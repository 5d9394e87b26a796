#pragma once
// The user list "Vellum Users": every user of Ide.tps by name, with the step locator on the
// name, edited in the user form. Only administrators reach it from the frame.

#include "framework/widgets/BrowseList.h"

namespace vellum {

class Workstation;

class UserList final : public BrowseList {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;

    enum Column { NameColumn, PassWordColumn, QualificationColumn, ColumnCount };

    explicit UserList(Workstation &workstation, QWidget *parent = nullptr);

private:
    FormWindow *newForm();

    Workstation &m_workstation;
};

} // namespace vellum
