#include "NamedButton.h"

namespace vellum {

QPushButton *namedButton(const QString &name, const QString &text, const QString &tip)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setToolTip(tip);
    return button;
}

} // namespace vellum
