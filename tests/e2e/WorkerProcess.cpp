#include "WorkerProcess.h"

#include <QDeadlineTimer>

using namespace Qt::StringLiterals;

namespace vellum::test {

QString WorkerProcess::program()
{
    return QString::fromLocal8Bit(VELLUM_TEST_WORKER);
}

WorkerProcess::WorkerProcess(QString name) : m_name(std::move(name))
{
}

WorkerProcess::~WorkerProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool WorkerProcess::start(const QStringList &arguments)
{
    m_process.setProgram(program());
    m_process.setArguments(arguments);
    m_process.start();
    return m_process.waitForStarted(10000);
}

QString WorkerProcess::readLine(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine()) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return {};
        m_process.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
    }
    return QString::fromLocal8Bit(m_process.readLine()).trimmed();
}

void WorkerProcess::writeLine(const QByteArray &line)
{
    m_process.write(line + '\n');
    m_process.waitForBytesWritten(5000);
}

void WorkerProcess::kill()
{
    m_process.kill(); // SIGKILL: no destructor, no rollback, locks dropped by the kernel
}

bool WorkerProcess::waitForExit(int timeoutMs)
{
    return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
}

bool WorkerProcess::crashed() const
{
    return m_process.exitStatus() == QProcess::CrashExit;
}

int WorkerProcess::exitCode() const
{
    return m_process.exitCode();
}

QString WorkerProcess::diagnostics()
{
    m_errors += m_process.readAllStandardError();
    return m_name + u": "_s + QString::fromLocal8Bit(m_errors);
}

} // namespace vellum::test
