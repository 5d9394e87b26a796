#pragma once
// "Change the Report Display": how many pages the preview shows across and down.

#include <QDialog>

class QSpinBox;

namespace vellum {

class DisplayChoiceDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int Most = 8;

    DisplayChoiceDialog(int across, int down, QWidget *parent = nullptr);
    int across() const;
    int down() const;

private:
    QSpinBox *m_across;
    QSpinBox *m_down;
};

} // namespace vellum
