#pragma once
// "Problems  - PreSelection": the problem categories of Problem.tps in their order, edited in
// the list rows themselves (no form). A category's new text is carried into the cases that
// carry the old one; a category that cases carry is not deleted.

#include "framework/widgets/BrowseList.h"

#include <memory>

namespace vellum {

class BrowseRowEditor;
class Workstation;

class ProblemList final : public BrowseList {
    Q_OBJECT

public:
    static const QString ProcedureName;

    enum Column { ProblemColumn, ColumnCount };

    explicit ProblemList(Workstation &workstation, QWidget *parent = nullptr);
    ~ProblemList() override;

    BrowseRowEditor &rows() const { return *m_rows; }

private:
    void addHeading();

    std::unique_ptr<BrowseRowEditor> m_rows;
};

} // namespace vellum
