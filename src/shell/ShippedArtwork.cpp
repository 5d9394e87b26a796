#include "ShippedArtwork.h"

#include "ProgramFolder.h"

#include <QFile>

using namespace Qt::StringLiterals;

// The pictures live in a static library: they are registered before they are first read.
static void registerArtwork()
{
    Q_INIT_RESOURCE(artwork);
}

namespace vellum {

void ShippedArtwork::install(const ProgramFolder &programFolder)
{
    registerArtwork();
    for (const QString &name : {u"logo.jpg"_s, u"logo2.jpg"_s}) {
        const QString target = programFolder.filePath(name);
        if (QFile::exists(target))
            continue;
        // Resource files are read-only; the copy must be writable like any file the user owns.
        if (QFile::copy(u":/artwork/"_s + name, target))
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
}

} // namespace vellum
