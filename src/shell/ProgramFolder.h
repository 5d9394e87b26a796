#pragma once
// The folder the program works from: the one named on the command line, else the user's own
// data folder. Its "DataBase" folder is the local database the workstation falls back to.

#include <QString>

namespace vellum {

class ProgramFolder {
public:
    // Creates the folder and its local database folder when they are missing.
    static ProgramFolder resolve(const QString &given = {});

    explicit ProgramFolder(QString path);

    const QString &path() const { return m_path; }
    QString filePath(const QString &name) const;
    QString localDatabaseFolder() const;
    QString defaultBackupFolder() const;

private:
    QString m_path;
};

} // namespace vellum
