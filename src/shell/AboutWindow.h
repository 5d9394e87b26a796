#pragma once
// "He&lp" / "&About": the application title and what the program is.

#include <QDialog>

namespace vellum {

class AboutWindow final : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

} // namespace vellum
