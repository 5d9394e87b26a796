#pragma once
// A vellum-test-worker child process: started with a subcommand, read line by line, and
// ended by the test (a SIGKILL when a crash is wanted).

#include <QProcess>
#include <QString>
#include <QStringList>

namespace vellum::test {

class WorkerProcess {
public:
    static QString program(); // the worker's path, fixed at build time

    explicit WorkerProcess(QString name);
    ~WorkerProcess();
    WorkerProcess(const WorkerProcess &) = delete;
    WorkerProcess &operator=(const WorkerProcess &) = delete;

    bool start(const QStringList &arguments);
    // The next line the worker prints; empty when it printed none within the time or ended.
    QString readLine(int timeoutMs);
    void writeLine(const QByteArray &line);
    void kill();
    // False when the worker did not end in time.
    bool waitForExit(int timeoutMs);
    bool crashed() const;
    int exitCode() const;
    // What the worker wrote to stderr, for the failure message.
    QString diagnostics();

private:
    QString m_name;
    QProcess m_process;
    QByteArray m_errors;
};

} // namespace vellum::test
