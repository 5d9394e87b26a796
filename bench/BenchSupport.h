#pragma once
// What every benchmark program shares: the figure lines on standard output, notes and failures on
// standard error, and message boxes answered with their default button.

#include "data/RecordFiles.h"
#include "framework/Dialogs.h"
#include "framework/Messages.h"
#include "framework/RecordLayout.h"
#include "store/Database.h"
#include "store/StoreStatus.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace vellum::bench {

inline void figure(const char *name, double value, const char *unit)
{
    std::printf("%s: %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

inline void note(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

[[noreturn]] inline void die(const QString &what, const store::StoreStatus &status = {})
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(what), qPrintable(status.errorText));
    std::exit(1);
}

inline double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The quickest of `runs` runs, in milliseconds.
inline double bestOf(int runs, const std::function<void()> &run)
{
    double best = 1e300;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        run();
        best = std::min(best, elapsedMs(timer));
    }
    return best;
}

// The number after `option` on the command line, or `fallback` when it is not given.
inline int numberOption(const QStringList &arguments, const QString &option, int fallback)
{
    const qsizetype at = arguments.indexOf(option);
    return (at >= 0 && at + 1 < arguments.size()) ? arguments[at + 1].toInt() : fallback;
}

// Opens every record file of the database's folder, making those that are missing.
inline void openAllFiles(store::Database &database)
{
    for (const RecordFileInfo &info : allRecordFiles())
        if (const auto opened = database.open(*info.table, store::OpenMode::ReadWrite, true); !opened)
            die(QStringLiteral("open"), opened);
}

// Adds the records numbered 1 to count, as make(number) gives them, in big transactions.
template<class Make>
void insertNumbered(store::Database &database, const store::TableDefinition &table, int count, Make make)
{
    constexpr int PerTransaction = 50000;
    for (int first = 1; first <= count; first += PerTransaction) {
        if (const auto begun = database.begin(); !begun)
            die(QStringLiteral("begin"), begun);
        for (int number = first; number < std::min(first + PerTransaction, count + 1); ++number)
            if (const auto added = database.insert(table, toRow(make(number))); !added)
                die(QStringLiteral("insert"), added);
        if (const auto committed = database.commit(); !committed)
            die(QStringLiteral("commit"), committed);
    }
}

class PrintingMessages final : public Messages {
public:
    int show(const MessageRequest &request) override
    {
        note(QStringLiteral("message [%1] %2").arg(request.caption, request.text));
        return request.defaultButton;
    }
    void beep() override {}
};

// Every common dialog cancelled.
class NoDialogs final : public Dialogs {
public:
    QString chooseFolder(const QString &, const QString &) override { return {}; }
    QString openFile(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(const QString &, const QString &, const QString &) override { return {}; }
    int chooseColor(const QString &, int initialBgr, bool *ok) override
    {
        *ok = false;
        return initialBgr;
    }
    bool printerSetup() override { return false; }
};

} // namespace vellum::bench
