#include "HookedMessages.h"

#include <utility>

namespace vellum::test {

void HookedMessages::onMessage(const QString &fragment, std::function<void()> action)
{
    m_fragment = fragment;
    m_action = std::move(action);
}

int HookedMessages::show(const MessageRequest &request)
{
    if (m_action && request.text.contains(m_fragment))
        std::exchange(m_action, {})();
    if (m_script.shown().size() >= MostMessages)
        return (request.buttons & ButtonNo) ? int(ButtonNo) : request.defaultButton;
    return m_script.show(request);
}

} // namespace vellum::test
