#include "BrowseColor.h"

#include "SettingsFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString BrowseColor::Section = u"Config"_s;
const QString BrowseColor::Key = u"Color"_s;

int BrowseColor::read(const SettingsFile &settings, int fallback)
{
    const int stored = settings.readNumber(Section, Key);
    return stored != 0 ? stored : fallback;
}

int BrowseColor::readStoringDefault(SettingsFile &settings)
{
    const int stored = settings.readNumber(Section, Key);
    if (stored != 0)
        return stored;
    store(settings, Default);
    return Default;
}

bool BrowseColor::store(SettingsFile &settings, int color)
{
    return settings.writeNumber(Section, Key, color);
}

} // namespace vellum
