#include "PasswordCommand.h"

#include "ConsoleMessages.h"

#include "data/UserPasswords.h"
#include "data/UserRecord.h"
#include "framework/ErrorReporter.h"
#include "framework/RecordFile.h"
#include "store/Transaction.h"

#include <QDir>
#include <QTextStream>

#include <termios.h>
#include <unistd.h>

#include <iostream>
#include <optional>
#include <string>

using namespace Qt::StringLiterals;

namespace vellum::admin {

namespace {

constexpr int Success = 0;
constexpr int Failure = 1;

// One line of standard input; on a terminal asked for and read without echo.
std::optional<QString> readLine(const QString &prompt)
{
    const bool terminal = ::isatty(STDIN_FILENO) == 1;
    termios saved{};
    if (terminal) {
        QTextStream(stderr) << prompt;
        ::tcgetattr(STDIN_FILENO, &saved);
        termios silent = saved;
        silent.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string line;
    const bool read = bool(std::getline(std::cin, line));
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        QTextStream(stderr) << u'\n';
    }
    if (!read && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

// A terminal asks twice: a typing error nobody saw would lock the user out.
std::optional<QString> newPassword(const QString &name, QString *refusal)
{
    const std::optional<QString> password = readLine(u"New password for %1: "_s.arg(name));
    if (!password) {
        *refusal = u"Refused: no password was given on standard input."_s;
        return std::nullopt;
    }
    if (::isatty(STDIN_FILENO) == 1 && readLine(u"Repeat: "_s) != password) {
        *refusal = u"Refused: the two entries differ."_s;
        return std::nullopt;
    }
    QString untrimmed = *password;
    while (untrimmed.endsWith(u' '))
        untrimmed.chop(1);
    if (UserPasswords::typed(*password) != untrimmed) {
        *refusal = u"Refused: a password holds at most 20 characters."_s;
        return std::nullopt;
    }
    return password;
}

// The record is written with IDE:PassWord empty, so a clear text left there goes as well.
store::StoreStatus storePassword(RecordFileOf<UserRecord> &users, const QString &password)
{
    store::Database &database = users.database();
    store::Transaction transaction(database, {&UserRecord::table()});
    if (!transaction.started())
        return transaction.started();
    if (!users.record().PassWord.isEmpty()) {
        users.record().PassWord.clear();
        if (users.tryUpdate() != 0)
            return users.lastStatus();
    }
    if (store::StoreStatus stored = UserPasswords(database).store(users.rowId(), password); !stored)
        return stored;
    return transaction.commit();
}

} // namespace

int setPassword(const QString &folder, const QString &name)
{
    QTextStream err(stderr);
    if (!QDir(folder).exists()) {
        err << u"Refused: there is no folder %1.\n"_s.arg(QDir::toNativeSeparators(folder));
        return Failure;
    }
    ConsoleMessages messages;
    ErrorReporter errors(messages, [](int) {});
    store::Database database(folder);
    RecordFileOf<UserRecord> users(database, errors, false);
    if (users.open() != 0)
        return Failure;
    if (users.isReadOnly()) {
        err << u"Refused: the user file may not be written.\n"_s;
        return Failure;
    }
    users.record().Name = name;
    if (name.isEmpty() || users.fetch(UserRecord::KeyName) != 0) {
        err << u"Refused: there is no user %1.\n"_s.arg(name);
        return Failure;
    }
    QString refusal;
    const std::optional<QString> password = newPassword(users.record().Name, &refusal);
    if (!password) {
        err << refusal << u'\n';
        return Failure;
    }
    if (const store::StoreStatus stored = storePassword(users, *password); !stored) {
        err << u"The password of %1 was NOT changed: %2\n"_s.arg(users.record().Name, stored.errorText);
        return Failure;
    }
    // The other users' clear texts, where an older version left some, go as well.
    if (const store::StoreStatus converted = UserPasswords(database).convertClearText(); !converted)
        err << u"The other users' passwords are still kept in clear text: %1\n"_s.arg(converted.errorText);
    QTextStream(stdout) << u"The password of %1 is changed.\n"_s.arg(users.record().Name);
    return Success;
}

} // namespace vellum::admin
