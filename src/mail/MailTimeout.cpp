#include "MailTimeout.h"

namespace vellum {

namespace {

constexpr qint64 SilenceLimitMs = 60'000;

} // namespace

MailTimeout::MailTimeout()
{
    m_silence.start();
}

bool MailTimeout::isTimeOut()
{
    return m_silence.hasExpired(SilenceLimitMs);
}

void MailTimeout::resetTimeOut()
{
    m_silence.restart();
}

bool MailTimeout::handleTimeOut()
{
    // Giving up: the call fails with the server unreachable.
    return false;
}

vmime::shared_ptr<vmime::net::timeoutHandler> MailTimeoutFactory::create()
{
    return vmime::make_shared<MailTimeout>();
}

} // namespace vellum
