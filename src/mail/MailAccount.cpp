#include "MailAccount.h"

#include "framework/SettingsFile.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString Section = u"Mail"_s;

// The words the settings file holds for each choice.
template<typename Kind, std::size_t N>
using Names = std::array<std::pair<Kind, QString>, N>;

const Names<OutgoingMail, 3> OutgoingNames{
    {{OutgoingMail::None, u""_s}, {OutgoingMail::Smtp, u"SMTP"_s}, {OutgoingMail::Sendmail, u"Sendmail"_s}}};
const Names<IncomingMail, 4> IncomingNames{{{IncomingMail::None, u""_s},
                                            {IncomingMail::Imap, u"IMAP"_s},
                                            {IncomingMail::Pop3, u"POP3"_s},
                                            {IncomingMail::Maildir, u"Maildir"_s}}};
const Names<MailSecurity, 3> SecurityNames{
    {{MailSecurity::None, u"None"_s}, {MailSecurity::StartTls, u"STARTTLS"_s}, {MailSecurity::Tls, u"TLS"_s}}};

template<typename Kind, std::size_t N>
QString nameOf(const Names<Kind, N> &names, Kind kind)
{
    for (const auto &[value, name] : names) {
        if (value == kind)
            return name;
    }
    return {};
}

template<typename Kind, std::size_t N>
Kind kindOf(const Names<Kind, N> &names, const QString &text, Kind otherwise)
{
    for (const auto &[value, name] : names) {
        if (name.compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return value;
    }
    return otherwise;
}

// A misspelt security setting must never send a password in clear: only an empty value or
// "None" means no encryption, anything unknown asks the server for STARTTLS.
MailSecurity securityOf(const QString &text)
{
    if (text.trimmed().isEmpty())
        return MailSecurity::None;
    if (text.trimmed().compare(u"SSL"_s, Qt::CaseInsensitive) == 0)
        return MailSecurity::Tls;
    return kindOf(SecurityNames, text, MailSecurity::StartTls);
}

MailServer readServer(const SettingsFile &settings, const QString &prefix)
{
    MailServer server;
    server.host = settings.readText(Section, prefix + u"Host"_s).trimmed();
    server.port = settings.readNumber(Section, prefix + u"Port"_s);
    server.security = securityOf(settings.readText(Section, prefix + u"Security"_s));
    server.user = settings.readText(Section, prefix + u"User"_s).trimmed();
    return server;
}

bool writeServer(SettingsFile &settings, const QString &prefix, const MailServer &server)
{
    bool written = settings.writeText(Section, prefix + u"Host"_s, server.host);
    written &= settings.writeNumber(Section, prefix + u"Port"_s, server.port);
    written &= settings.writeText(Section, prefix + u"Security"_s, nameOf(SecurityNames, server.security));
    written &= settings.writeText(Section, prefix + u"User"_s, server.user);
    return written;
}

} // namespace

bool MailAccount::canSend() const
{
    if (senderAddress.trimmed().isEmpty())
        return false;
    return outgoing == OutgoingMail::Sendmail || (outgoing == OutgoingMail::Smtp && !smtp.host.isEmpty());
}

bool MailAccount::canReceive() const
{
    switch (incoming) {
    case IncomingMail::None:
        return false;
    case IncomingMail::Maildir:
        return !incomingFolder.isEmpty();
    case IncomingMail::Imap:
    case IncomingMail::Pop3:
        return !incomingServer.host.isEmpty();
    }
    return false;
}

MailAccount MailAccount::read(const SettingsFile &settings)
{
    MailAccount account;
    account.outgoing = kindOf(OutgoingNames, settings.readText(Section, u"Outgoing"_s), OutgoingMail::None);
    account.smtp = readServer(settings, u"Smtp"_s);
    account.sendmailProgram = settings.readText(Section, u"SendmailProgram"_s).trimmed();
    account.incoming = kindOf(IncomingNames, settings.readText(Section, u"Incoming"_s), IncomingMail::None);
    account.incomingServer = readServer(settings, u"Incoming"_s);
    account.incomingFolder = settings.readText(Section, u"IncomingFolder"_s).trimmed();
    account.senderName = settings.readText(Section, u"SenderName"_s).trimmed();
    account.senderAddress = settings.readText(Section, u"SenderAddress"_s).trimmed();
    account.trustedCertificates = settings.readText(Section, u"TrustedCertificates"_s).trimmed();
    return account;
}

bool MailAccount::write(SettingsFile &settings) const
{
    bool written = settings.writeText(Section, u"Outgoing"_s, nameOf(OutgoingNames, outgoing));
    written &= writeServer(settings, u"Smtp"_s, smtp);
    written &= settings.writeText(Section, u"SendmailProgram"_s, sendmailProgram);
    written &= settings.writeText(Section, u"Incoming"_s, nameOf(IncomingNames, incoming));
    written &= writeServer(settings, u"Incoming"_s, incomingServer);
    written &= settings.writeText(Section, u"IncomingFolder"_s, incomingFolder);
    written &= settings.writeText(Section, u"SenderName"_s, senderName);
    written &= settings.writeText(Section, u"SenderAddress"_s, senderAddress);
    written &= settings.writeText(Section, u"TrustedCertificates"_s, trustedCertificates);
    return written;
}

} // namespace vellum
