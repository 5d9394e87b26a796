#include "DovecotServer.h"

#include "LoopbackPort.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <filesystem>

#include <csignal>

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

const QString Program = u"/usr/sbin/dovecot"_s;
// The user Dovecot's packages make for its own processes.
const char *const PackageUser = "dovecot";
constexpr int StartTimeoutMs = 20'000;
constexpr int StopTimeoutMs = 15'000;
constexpr int PollMs = 50;

// Whom the mail processes run as.
struct MailUser {
    uid_t uid = 0;
    gid_t gid = 0;
    QString name;
    QString group;
    bool root = false;
};

MailUser mailUser()
{
    MailUser user;
    user.root = ::geteuid() == 0;
    const passwd *entry = user.root ? ::getpwnam(PackageUser) : ::getpwuid(::geteuid());
    if (entry == nullptr)
        return user;
    user.uid = entry->pw_uid;
    user.gid = entry->pw_gid;
    user.name = QString::fromLocal8Bit(entry->pw_name);
    if (const group *found = ::getgrgid(entry->pw_gid))
        user.group = QString::fromLocal8Bit(found->gr_name);
    return user;
}

QString madeFolder(const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name);
    QDir().mkpath(path);
    return path;
}

} // namespace

const QString DovecotServer::User = u"ann"_s;
const QString DovecotServer::Password = u"Secret-4-ann"_s;

QString DovecotServer::unavailableReason()
{
    if (!QFileInfo(Program).isExecutable())
        return Program + u" is missing (Debian packages dovecot-imapd and dovecot-pop3d)"_s;
    return {};
}

DovecotServer::DovecotServer(const QString &folder) : m_folder(folder), m_authority(madeFolder(folder, u"tls"_s))
{
    m_errors = m_authority.errors();
    for (const QString &part : {u"Maildir/cur"_s, u"Maildir/new"_s, u"Maildir/tmp"_s, u"home"_s})
        madeFolder(m_folder, part);
    QFile users(path(u"passwd"_s));
    if (!users.open(QIODevice::WriteOnly)
        || users.write((User + u":{PLAIN}"_s + Password + u"::::::\n"_s).toUtf8()) < 0)
        m_errors += u"cannot write %1\n"_s.arg(users.fileName());
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // A test that dies takes its server with it.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

DovecotServer::~DovecotServer()
{
    stop();
}

bool DovecotServer::deliver(const QString &uniqueName, const QByteArray &raw)
{
    QFile file(path(u"Maildir/new/"_s + uniqueName));
    if (!file.open(QIODevice::WriteOnly) || file.write(raw) != raw.size())
        return false;
    file.close();
    return handOver(file.fileName());
}

bool DovecotServer::start()
{
    if (!m_errors.isEmpty())
        return false;
    m_imap = freeLoopbackPort();
    m_imaps = freeLoopbackPort();
    m_pop3 = freeLoopbackPort();
    m_pop3s = freeLoopbackPort();
    if (!writeConfiguration() || !handOver(path(u"Maildir"_s)) || !handOver(path(u"home"_s))) {
        m_errors += u"cannot prepare the server's folder %1\n"_s.arg(m_folder);
        return false;
    }
    m_process.start(Program, {u"-F"_s, u"-c"_s, path(u"dovecot.conf"_s)});
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (m_process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        if (acceptsConnections(m_imap) && acceptsConnections(m_imaps) && acceptsConnections(m_pop3)
            && acceptsConnections(m_pop3s))
            return true;
        m_process.waitForFinished(PollMs);
    }
    m_errors += u"dovecot did not start\n"_s;
    return false;
}

void DovecotServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(StopTimeoutMs)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QString DovecotServer::errors() const
{
    QFile log(path(u"dovecot.log"_s));
    const QString logged = log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    return m_errors + QString::fromLocal8Bit(const_cast<QProcess &>(m_process).readAll()) + logged;
}

MailServer DovecotServer::server(IncomingMail protocol, MailSecurity security) const
{
    const bool pop3 = protocol == IncomingMail::Pop3;
    const int plainPort = pop3 ? m_pop3 : m_imap;
    const int tlsPort = pop3 ? m_pop3s : m_imaps;
    return {u"127.0.0.1"_s, security == MailSecurity::Tls ? tlsPort : plainPort, security, User};
}

QStringList DovecotServer::messageNames() const
{
    QStringList names;
    for (const QString &part : {u"Maildir/new"_s, u"Maildir/cur"_s}) {
        for (const QString &name : QDir(path(part)).entryList(QDir::Files))
            names.append(name.section(u':', 0, 0));
    }
    names.sort();
    return names;
}

QString DovecotServer::path(const QString &name) const
{
    return QDir(m_folder).filePath(name);
}

bool DovecotServer::writeConfiguration()
{
    const MailUser user = mailUser();
    if (user.name.isEmpty()) {
        m_errors += u"no user for the mail processes\n"_s;
        return false;
    }
    QString text;
    text += u"base_dir = %1\nstate_dir = %2\nlog_path = %3\n"_s.arg(path(u"run"_s), path(u"state"_s),
                                                                    path(u"dovecot.log"_s));
    text += u"protocols = imap pop3\nlisten = 127.0.0.1\n"_s;
    text += u"ssl = yes\nssl_cert = <%1\nssl_key = <%2\n"_s.arg(m_authority.serverCertificateFile(),
                                                                m_authority.serverKeyFile());
    text += u"auth_mechanisms = plain login\ndisable_plaintext_auth = no\nauth_failure_delay = 0\n"_s;
    text += u"first_valid_uid = 1\nfirst_valid_gid = 0\nmail_location = maildir:%1\n"_s.arg(path(u"Maildir"_s));
    // Without root the services cannot change user or enter a chroot: all of them stay this user.
    if (!user.root) {
        text += u"default_internal_user = %1\ndefault_login_user = %1\ndefault_internal_group = %2\n"_s.arg(user.name,
                                                                                                            user.group);
    }
    text +=
        u"passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u %1\n}\n"_s.arg(path(u"passwd"_s));
    text += u"userdb {\n  driver = static\n  args = uid=%1 gid=%2 home=%3\n}\n"_s.arg(user.uid).arg(user.gid).arg(
        path(u"home"_s));
    for (const auto &[service, plain, plainPort, tlsPort] :
         {std::tuple{u"imap"_s, u"imap"_s, m_imap, m_imaps}, std::tuple{u"pop3"_s, u"pop3"_s, m_pop3, m_pop3s}}) {
        text += u"service %1-login {\n  chroot =\n  inet_listener %2 {\n    port = %3\n  }\n"
                "  inet_listener %2s {\n    port = %4\n    ssl = yes\n  }\n}\n"_s.arg(service, plain)
                    .arg(plainPort)
                    .arg(tlsPort);
    }
    // No growing delay after a refused login: the tests refuse some on purpose.
    text += u"service anvil {\n  chroot =\n  unix_listener anvil-auth-penalty {\n    mode = 0\n  }\n}\n"_s;
    QFile file(path(u"dovecot.conf"_s));
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

// Run as root, the mail processes are Dovecot's user: the folder becomes theirs to pass through
// and the mail theirs to change.
bool DovecotServer::handOver(const QString &target) const
{
    const MailUser user = mailUser();
    if (!user.root)
        return true;
    if (!QFile::setPermissions(m_folder, QFile::permissions(m_folder) | QFile::ExeOther | QFile::ExeGroup))
        return false;
    const auto give = [&](const std::filesystem::path &entry) {
        return ::chown(entry.c_str(), user.uid, user.gid) == 0;
    };
    const std::filesystem::path root(target.toStdString());
    bool given = give(root);
    if (std::filesystem::is_directory(root)) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(root))
            given &= give(entry.path());
    }
    return given;
}

} // namespace vellum::test
