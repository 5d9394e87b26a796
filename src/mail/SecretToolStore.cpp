#include "SecretToolStore.h"

#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

// The keyring may ask the user to unlock it first.
constexpr int ProgramTimeoutMs = 60'000;

} // namespace

SecretToolStore::SecretToolStore(QString program) : m_program(std::move(program))
{
}

std::unique_ptr<SecretStore> SecretToolStore::fromDesktop()
{
    const QString program = QStandardPaths::findExecutable(u"secret-tool"_s);
    if (program.isEmpty() || qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return nullptr;
    return std::make_unique<SecretToolStore>(program);
}

std::optional<QString> SecretToolStore::lookup(const MailLogin &login)
{
    const Outcome outcome = run(QStringList{u"lookup"_s} + attributes(login), {});
    if (!outcome.ok)
        return std::nullopt;
    return QString::fromUtf8(outcome.output);
}

bool SecretToolStore::store(const MailLogin &login, const QString &password)
{
    const QString label = u"Quor Vellum mail: %1://%2@%3"_s.arg(login.protocol, login.user, login.host);
    return run(QStringList{u"store"_s, u"--label=%1"_s.arg(label)} + attributes(login), password.toUtf8()).ok;
}

bool SecretToolStore::clear(const MailLogin &login)
{
    return run(QStringList{u"clear"_s} + attributes(login), {}).ok;
}

SecretToolStore::Outcome SecretToolStore::run(const QStringList &arguments, const QByteArray &input) const
{
    QProcess process;
    process.start(m_program, arguments);
    if (!process.waitForStarted(ProgramTimeoutMs))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(ProgramTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return {ok, process.readAllStandardOutput()};
}

QStringList SecretToolStore::attributes(const MailLogin &login)
{
    return {u"application"_s, u"quor-vellum"_s, u"protocol"_s, login.protocol,
            u"server"_s,      login.host,       u"user"_s,     login.user};
}

} // namespace vellum
