#pragma once
// A mail server that stops answering ends the exchange after a minute of silence instead of
// holding the window for good.

#include <vmime/net/timeoutHandler.hpp>

#include <QElapsedTimer>

namespace vellum {

class MailTimeout final : public vmime::net::timeoutHandler {
public:
    MailTimeout();

    bool isTimeOut() override;
    void resetTimeOut() override;
    bool handleTimeOut() override;

private:
    QElapsedTimer m_silence;
};

class MailTimeoutFactory final : public vmime::net::timeoutHandlerFactory {
public:
    vmime::shared_ptr<vmime::net::timeoutHandler> create() override;
};

} // namespace vellum
