#include "SmtpSink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum::test {

namespace {

constexpr int StartTimeoutMs = 20'000;

QString python()
{
    return QStringLiteral(VELLUM_SYSTEM_PYTHON);
}

} // namespace

QString SmtpSink::unavailableReason()
{
    if (python().isEmpty() || !QFileInfo(python()).isExecutable())
        return u"the system's python3 is not installed"_s;
    QProcess probe;
    probe.start(python(), {u"-c"_s, u"import aiosmtpd"_s});
    if (!probe.waitForFinished(StartTimeoutMs) || probe.exitCode() != 0)
        return u"python3-aiosmtpd is not installed"_s;
    return {};
}

SmtpSink::SmtpSink(const QString &folder, const Options &options) : m_folder(folder)
{
    QStringList arguments{QStringLiteral(VELLUM_SMTP_SINK), u"--maildir"_s, folder};
    if (!options.user.isEmpty())
        arguments << u"--user"_s << options.user << u"--password"_s << options.password;
    if (!options.refusedDomain.isEmpty())
        arguments << u"--refuse-domain"_s << options.refusedDomain;
    if (options.tls != Options::Tls::None) {
        arguments << u"--tls"_s << (options.tls == Options::Tls::StartTls ? u"starttls"_s : u"tls"_s)
                  << u"--certificate"_s << options.certificate << u"--key"_s << options.key;
    }
    m_process.start(python(), arguments);
    if (!m_process.waitForStarted(StartTimeoutMs))
        return;
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running)
        m_process.waitForReadyRead(StartTimeoutMs);
    m_port = m_process.readLine().trimmed().toInt();
}

SmtpSink::~SmtpSink()
{
    stop();
}

QString SmtpSink::errors()
{
    return QString::fromUtf8(m_process.readAllStandardError());
}

void SmtpSink::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(StartTimeoutMs)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QList<QByteArray> SmtpSink::received() const
{
    QFileInfoList files = QDir(QDir(m_folder).filePath(u"new"_s)).entryInfoList(QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo &a, const QFileInfo &b) {
        return a.lastModified() != b.lastModified() ? a.lastModified() < b.lastModified() : a.fileName() < b.fileName();
    });
    QList<QByteArray> messages;
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            messages.append(file.readAll());
    }
    return messages;
}

} // namespace vellum::test
