#include "NamedButton.h"

namespace vellum {

QPushButton *namedButton(const QString &name, const QString &text)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace vellum
