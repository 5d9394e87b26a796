#pragma once
// The common-dialog seam: folder, file, colour and printer choices, answered by the user in the
// application and from a queue in tests.

#include <QString>

namespace vellum {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Each returns the empty text when the user cancels.
    virtual QString chooseFolder(const QString &title, const QString &start) = 0;
    virtual QString openFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &folder, const QString &filter) = 0;

    // Colours are held as 0x00BBGGRR, as the settings file stores them; on cancel *ok is false
    // and the initial colour comes back.
    virtual int chooseColor(const QString &title, int initialBgr, bool *ok) = 0;

    // True when the user confirmed the printer set-up.
    virtual bool printerSetup() = 0;
};

} // namespace vellum
