#pragma once
// A text area that holds at most a given number of characters, as the message fields do.

#include <QPlainTextEdit>

namespace vellum {

class LimitedTextEdit final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LimitedTextEdit(int maxLength, QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }

private:
    void cutToLimit();

    int m_maxLength;
};

} // namespace vellum
