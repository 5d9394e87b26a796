#pragma once
// Every file of a folder with its bytes, hidden ones included: compared before and after, it shows
// that nothing in the folder was changed, added or removed.

#include <QByteArray>
#include <QMap>
#include <QString>

namespace vellum::test {

QMap<QString, QByteArray> folderContents(const QString &folder);

} // namespace vellum::test
