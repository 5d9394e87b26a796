#pragma once
// A real SMTP server on a loopback port for the duration of a test (smtp_sink.py on the system's
// Python with aiosmtpd). Each message it takes is filed in a Maildir folder with its envelope
// in the added lines X-Envelope-From and X-Envelope-To.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>

namespace vellum::test {

class SmtpSink {
public:
    struct Options {
        QString user; // with a user the server requires a login with this password
        QString password;
        QString refusedDomain; // recipients at this domain are refused (550)
        // With a certificate and its key: STARTTLS offered and required, or TLS from the start.
        enum class Tls { None, StartTls, Implicit } tls = Tls::None;
        QString certificate{};
        QString key{};
    };

    // Empty when the server can run here, else why not (for QSKIP).
    static QString unavailableReason();

    SmtpSink(const QString &folder, const Options &options);
    explicit SmtpSink(const QString &folder) : SmtpSink(folder, Options{}) {}
    ~SmtpSink();
    SmtpSink(const SmtpSink &) = delete;
    SmtpSink &operator=(const SmtpSink &) = delete;

    // 0 when the server did not start.
    int port() const { return m_port; }
    QString errors();
    void stop();

    // The raw messages received, in order of arrival.
    QList<QByteArray> received() const;

private:
    QString m_folder;
    QProcess m_process;
    int m_port = 0;
};

} // namespace vellum::test
