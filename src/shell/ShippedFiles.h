#pragma once
// Where the files shipped with the programs are found: beside the program in the build folder;
// under <prefix>/share/quor-vellum (data) and <prefix>/lib/quor-vellum (the SQLite extension)
// when installed. Both are found from the program's own folder, so an install moved to another
// prefix, or unpacked under a staging folder, still finds them.

#include <QString>
#include <QStringList>

namespace vellum {

class ShippedFiles {
public:
    // The folders looked in for a data file (the help file), best first.
    static QStringList dataFolders(const QString &programFolder);
    // The folders looked in for a loadable module (the collation extension), best first.
    static QStringList moduleFolders(const QString &programFolder);

    // The first of the folders that holds `name`; empty when none does.
    static QString find(const QStringList &folders, const QString &name);
};

} // namespace vellum
