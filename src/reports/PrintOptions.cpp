#include "PrintOptions.h"

#include "framework/SettingsFile.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString Section = u"Config"_s;

struct Keys {
    QString agentChoice;
    QString secondChoice;
    QString agent;
    QString product; // empty: the report has none
    QString client;
};

bool keysOf(ListReport report, Keys &keys)
{
    switch (report) {
    case ListReport::Cases:
        keys = {u"PrintOption1"_s, u"PrintOption2"_s, u"PrintOption3"_s, {}, {}};
        return true;
    case ListReport::Log:
        keys = {u"PrintOption4"_s, u"PrintOption5"_s, u"PrintOption6"_s, {}, {}};
        return true;
    case ListReport::Archive:
        keys = {u"PrintArchiveOption1"_s, u"PrintArchiveOption2"_s, u"PrintArchiveOption3"_s, u"PrintArchiveOption4"_s,
                u"PrintArchiveOption5"_s};
        return true;
    case ListReport::Clients:
    case ListReport::Products:
        break;
    }
    return false;
}

int choice(const SettingsFile &settings, const QString &key, int most)
{
    const int value = settings.readNumber(Section, key);
    return value >= 1 && value <= most ? value : 1;
}

} // namespace

PrintOptions PrintOptions::load(const SettingsFile &settings, ListReport report)
{
    PrintOptions options;
    Keys keys;
    if (!keysOf(report, keys))
        return options;
    options.agentChoice = choice(settings, keys.agentChoice, OneAgent);
    options.secondChoice = choice(settings, keys.secondChoice, 4);
    const QString agent = settings.readText(Section, keys.agent).trimmed();
    options.agent = agent.isEmpty() ? DefaultAgent : agent;
    if (!keys.product.isEmpty()) {
        options.product = settings.readText(Section, keys.product);
        options.client = settings.readText(Section, keys.client);
    }
    return options;
}

bool PrintOptions::save(SettingsFile &settings, ListReport report) const
{
    Keys keys;
    if (!keysOf(report, keys))
        return true;
    bool written = settings.writeNumber(Section, keys.agentChoice, agentChoice);
    written = settings.writeNumber(Section, keys.secondChoice, secondChoice) && written;
    written = settings.writeText(Section, keys.agent, agent.left(20)) && written;
    if (!keys.product.isEmpty()) {
        written = settings.writeText(Section, keys.product, product.left(16)) && written;
        written = settings.writeText(Section, keys.client, client.left(6)) && written;
    }
    return written;
}

} // namespace vellum
