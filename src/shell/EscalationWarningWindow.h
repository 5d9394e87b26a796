#pragma once
// The escalation warning: a modal message with a clock, the monitor's text and three answers.
// Before it opens an iconized frame is restored and brought to the front, so that the warning
// is seen; "&Iconize Vellum" sends the frame back to the program bar.

#include "cases/WarningPresenter.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vellum {

class EscalationWarningWindow final : public QDialog, public WarningPresenter {
    Q_OBJECT

public:
    static constexpr int MaxTextLength = 255;

    // `frame` is the window restored before and iconized after the warning; none is allowed.
    explicit EscalationWarningWindow(QWidget *frame);

    Choice present(const QString &text, std::uint32_t caseNr) override;

    QLabel *textLabel() const { return m_text; }
    QPushButton *iconizeButton() const { return m_iconize; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *caseButton() const { return m_case; }

    // The clock beside the text, drawn here rather than shipped.
    static QPixmap clockPicture(int size);

private:
    void answer(Choice choice);

    QWidget *m_frame;
    QLabel *m_text;
    QPushButton *m_iconize;
    QPushButton *m_close;
    QPushButton *m_case;
    Choice m_choice = Choice::Close;
};

} // namespace vellum
