#pragma once
// `vellum-admin shell DIR FILE [SQL ...]`: the sqlite3 shell on one record file, with the key
// collation loaded so counting, searching by key, changing and checking work as in the program.

#include <QString>
#include <QStringList>

namespace vellum::admin {

struct ShellCommand {
    QString program;       // the sqlite3 shell
    QStringList arguments; // everything after the program name
    QString refusal;       // set when the shell cannot be started; then the rest is empty
};

// Finds the record file (its name is compared without regard to case), the extension beside
// this program or in its installed folder, and the sqlite3 shell on the PATH.
ShellCommand recordFileShell(const QString &folder, const QString &fileName, const QStringList &sql,
                             const QString &programFolder);

// Replaces this process by the shell; returns only when that failed.
int runShell(const ShellCommand &command);

} // namespace vellum::admin
