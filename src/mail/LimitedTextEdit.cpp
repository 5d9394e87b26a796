#include "LimitedTextEdit.h"

#include <QSignalBlocker>
#include <QTextCursor>

namespace vellum {

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::cutToLimit);
}

void LimitedTextEdit::cutToLimit()
{
    const QString text = toPlainText();
    if (text.size() <= m_maxLength)
        return;
    const QSignalBlocker blocker(this);
    setPlainText(text.left(m_maxLength));
    moveCursor(QTextCursor::End);
}

} // namespace vellum
