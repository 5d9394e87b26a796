#include "SingleWindows.h"

namespace vellum {

void SingleWindows::add(const QString &procedure, QWidget *window)
{
    m_windows[procedure] = window;
}

QWidget *SingleWindows::find(const QString &procedure) const
{
    const auto found = m_windows.find(procedure);
    return found == m_windows.end() ? nullptr : found->second.data();
}

bool SingleWindows::isOpen(const QString &procedure) const
{
    return find(procedure) != nullptr;
}

bool SingleWindows::activate(const QString &procedure)
{
    QWidget *window = find(procedure);
    if (window == nullptr)
        return false;
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    window->setFocus(); // a child window of the frame becomes the active one
    return true;
}

void SingleWindows::close(const QStringList &procedures)
{
    for (const QString &procedure : procedures) {
        if (QWidget *window = find(procedure))
            window->close();
    }
}

} // namespace vellum
