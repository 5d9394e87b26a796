#pragma once
// Stands in for the user at the common dialogs: answers from a queue in the order the test
// expects the dialogs, and records each dialog asked for.

#include "framework/Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vellum::test {

class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Folder, OpenFile, SaveFile, Color, PrinterSetup };

    struct Request {
        Kind kind;
        QString title;
        QString folder; // the start folder of a folder or file dialog
        QString filter;
    };

    // The empty text answers a folder or file dialog with cancel.
    void answerFolder(const QString &path);
    void answerOpenFile(const QString &path);
    void answerSaveFile(const QString &path);
    void answerColor(int bgr);
    void cancelColor();
    void answerPrinterSetup(bool accepted);

    QString chooseFolder(const QString &title, const QString &start) override;
    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &folder, const QString &filter) override;
    int chooseColor(const QString &title, int initialBgr, bool *ok) override;
    bool printerSetup() override;

    const QList<Request> &requests() const;

    // Dialogs asked for out of turn, and answers left over.
    QStringList failures() const;
    QString unexpected() const;

private:
    struct Answer {
        Kind kind;
        QString path;
        int color = 0;
        bool accepted = false;
    };

    // The queued answer for this request, or a cancel (recorded as a failure) when none is due.
    Answer take(const Request &request);

    QList<Answer> m_answers;
    QList<Request> m_requests;
    QStringList m_failures;
};

} // namespace vellum::test
