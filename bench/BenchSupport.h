#pragma once
// What every benchmark program shares: the figure lines on standard output, notes and failures on
// standard error, and message boxes answered with their default button.

#include "framework/Dialogs.h"
#include "framework/Messages.h"
#include "store/StoreStatus.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

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

// The number after `option` on the command line, or `fallback` when it is not given.
inline int numberOption(const QStringList &arguments, const QString &option, int fallback)
{
    const qsizetype at = arguments.indexOf(option);
    return (at >= 0 && at + 1 < arguments.size()) ? arguments[at + 1].toInt() : fallback;
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
