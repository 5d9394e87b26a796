#include "TextColors.h"

#include "ApplicationMessage.h"

using namespace Qt::StringLiterals;

namespace vellum {

const QString TextColors::TextKey = u"TextColor"_s;
const QString TextColors::BackgroundKey = u"BgrColor"_s;

TextColors::TextColors(SettingsFile &settings, Dialogs &dialogs, Messages &messages, QString section)
    : m_settings(settings), m_dialogs(dialogs), m_messages(messages), m_section(std::move(section)),
      m_text(stored(TextKey, DefaultText)), m_background(stored(BackgroundKey, DefaultBackground))
{
}

int TextColors::stored(const QString &key, int fallback) const
{
    return m_settings.contains(m_section, key) ? m_settings.readNumber(m_section, key) : fallback;
}

bool TextColors::chooseText()
{
    return choose(u"Choose Text Color"_s, TextKey, m_text, m_background,
                  u"Text Color cannot be the same as Background Color"_s);
}

bool TextColors::chooseBackground()
{
    return choose(u"Choose Background Color"_s, BackgroundKey, m_background, m_text,
                  u"Background Color cannot be the same as Text Color"_s);
}

bool TextColors::choose(const QString &title, const QString &key, int &colour, int other, const QString &refusal)
{
    bool ok = false;
    const int chosen = m_dialogs.chooseColor(title, colour, &ok);
    if (!ok)
        return false;
    if (chosen == other) {
        ApplicationMessage::show(m_messages, refusal, MessageIcon::Exclamation);
        return false;
    }
    colour = chosen;
    m_settings.writeNumber(m_section, key, chosen);
    return true;
}

} // namespace vellum
