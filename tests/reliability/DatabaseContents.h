#pragma once
// Every row of every record file in a folder as one text, read straight from the files: two
// folders hold the same records exactly when their contents are equal. Opening a file with a
// journal left behind rolls it back first, as the next workstation would.

#include <QMap>
#include <QString>

namespace vellum::test {

// Each record file's name with its rows.
using Contents = QMap<QString, QString>;

class DatabaseContents {
public:
    static Contents of(const QString &folder);

private:
    static QString ofFile(const QString &path);
};

} // namespace vellum::test
