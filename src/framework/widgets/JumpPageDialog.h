#pragma once
// "Jump to a Report Page": one page number.

#include <QDialog>

class QSpinBox;

namespace vellum {

class JumpPageDialog : public QDialog {
    Q_OBJECT

public:
    JumpPageDialog(int page, int pageCount, QWidget *parent = nullptr);
    int page() const;

private:
    QSpinBox *m_page;
};

} // namespace vellum
