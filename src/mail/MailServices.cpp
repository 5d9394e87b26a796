#include "MailServices.h"

#include "SystemCertificates.h"
#include "VmimeText.h"

#include <QDir>
#include <QFileInfo>

#include "MailTimeout.h"
#include <vmime/net/session.hpp>
#include <vmime/platform.hpp>
#include <vmime/platforms/posix/posixHandler.hpp>

#include <mutex>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

using vmimetext::toStd;

void setUpMailLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { vmime::platform::setHandler<vmime::platforms::posix::posixHandler>(); });
}

QString protocolName(const QString &plain, MailSecurity security)
{
    return security == MailSecurity::Tls ? plain + u's' : plain;
}

QString maildirPath(const QString &configured)
{
    QString path = configured;
    if (path.startsWith(u"~/"_s))
        path = QDir::homePath() + path.mid(1);
    return QDir::cleanPath(path);
}

} // namespace

MailServices::MailServices(const MailAccount &account, MailPasswords &passwords)
    : m_account(account), m_passwords(passwords)
{
    setUpMailLibrary();
}

MailService<vmime::net::transport> MailServices::transport() const
{
    auto session = vmime::net::session::create();
    MailService<vmime::net::transport> made;
    if (m_account.outgoing == OutgoingMail::Sendmail) {
        made.service = session->getTransport("sendmail");
        const QString program =
            m_account.sendmailProgram.isEmpty() ? u"/usr/sbin/sendmail"_s : m_account.sendmailProgram;
        made.service->setProperty("binpath", toStd(program));
        return made;
    }
    const QString protocol = protocolName(u"smtp"_s, m_account.smtp.security);
    made.service = session->getTransport(toStd(protocol));
    secure(made, m_account.smtp, u"smtp"_s);
    made.service->setProperty("options.need-authentication", !m_account.smtp.user.isEmpty());
    return made;
}

MailService<vmime::net::store> MailServices::store() const
{
    auto session = vmime::net::session::create();
    MailService<vmime::net::store> made;
    if (m_account.incoming == IncomingMail::Maildir) {
        made.service = session->getStore("maildir");
        made.service->setProperty("server.rootpath",
                                  toStd(QFileInfo(maildirPath(m_account.incomingFolder)).absolutePath()));
        return made;
    }
    const QString plain = m_account.incoming == IncomingMail::Pop3 ? u"pop3"_s : u"imap"_s;
    made.service = session->getStore(toStd(protocolName(plain, m_account.incomingServer.security)));
    secure(made, m_account.incomingServer, plain);
    return made;
}

vmime::shared_ptr<vmime::net::folder> MailServices::inbox(vmime::net::store &store) const
{
    switch (m_account.incoming) {
    case IncomingMail::Maildir:
        return store.getFolder(
            vmime::net::folder::path(vmimetext::toWord(QFileInfo(maildirPath(m_account.incomingFolder)).fileName())));
    case IncomingMail::Imap:
        if (!m_account.incomingFolder.isEmpty())
            return store.getFolder(vmime::net::folder::path(vmimetext::toWord(m_account.incomingFolder)));
        break;
    case IncomingMail::Pop3:
    case IncomingMail::None:
        break;
    }
    return store.getDefaultFolder();
}

template<typename Service>
void MailServices::secure(MailService<Service> &made, const MailServer &server, const QString &protocol) const
{
    Service &service = *made.service;
    service.setProperty("server.address", toStd(server.host));
    if (server.port > 0)
        service.setProperty("server.port", server.port);
    const bool startTls = server.security == MailSecurity::StartTls;
    service.setProperty("connection.tls", startTls);
    service.setProperty("connection.tls.required", startTls);
    service.setCertificateVerifier(certificateVerifier(m_account.trustedCertificates));
    service.setTimeoutHandlerFactory(vmime::make_shared<MailTimeoutFactory>());
    if (!server.user.isEmpty()) {
        made.authenticator =
            vmime::make_shared<PasswordAuthenticator>(MailLogin{protocol, server.host, server.user}, m_passwords);
        service.setAuthenticator(made.authenticator);
    }
}

} // namespace vellum
