#pragma once
// A push button that tests and the automation hook find by its object name. It never acts on
// Return by itself: Return completes an entry, and only a window's default button answers it.

#include <QPushButton>
#include <QString>

namespace vellum {

QPushButton *namedButton(const QString &name, const QString &text, const QString &tip = {});

} // namespace vellum
