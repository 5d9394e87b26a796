#include "CaseMailTemplates.h"

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

const QString TitleKey = u"Title"_s;
const QString NameKey = u"TitleText"_s;
const QString SubjectKey = u"Subject"_s;
const QString AddProblemKey = u"AddProblem"_s;
const QString AddSignatureKey = u"AddSig"_s;

QString key(const QString &stem, int number)
{
    return stem + QString::number(number);
}

} // namespace

const QString CaseMailTemplates::Section = u"AddNotes"_s;

CaseMailTemplates::CaseMailTemplates()
    : m_templates{{{u"English"_s, u"Your Support Call - Registrated under Case Nr. : "_s},
                   {u"Dutch"_s, u"Uw supportaanvraag is geregistreerd onder Case Nr. : "_s},
                   {u"Spanish"_s, u"Su Llamada del Apoyo - Registrated bajo el Caso Nr. : "_s},
                   {u"Default 4"_s, u"Default 4 : "_s}}}
{
}

// A key that is not there keeps its default. Widths hold for what the user types: the fourth
// default name is one character wider than a typed name may be, and is kept whole.
void CaseMailTemplates::load(const SettingsFile &settings)
{
    const auto text = [&settings](const QString &name, QString &value) {
        if (settings.contains(Section, name))
            value = settings.readText(Section, name);
    };
    for (int number = 1; number <= Templates; ++number) {
        Template &each = m_templates[std::size_t(number - 1)];
        text(key(NameKey, number), each.name);
        text(key(SubjectKey, number), each.subject);
    }
    if (settings.contains(Section, TitleKey))
        choose(settings.readNumber(Section, TitleKey));
    addProblem = settings.readNumber(Section, AddProblemKey) == 1;
    addSignature = settings.readNumber(Section, AddSignatureKey) == 1;
}

void CaseMailTemplates::store(SettingsFile &settings) const
{
    settings.writeNumber(Section, TitleKey, m_choice);
    for (int number = 1; number <= Templates; ++number) {
        const Template &each = m_templates[std::size_t(number - 1)];
        settings.writeText(Section, key(NameKey, number), each.name);
        settings.writeText(Section, key(SubjectKey, number), each.subject);
    }
    settings.writeNumber(Section, AddProblemKey, addProblem ? 1 : 0);
    settings.writeNumber(Section, AddSignatureKey, addSignature ? 1 : 0);
}

QStringList CaseMailTemplates::choiceNames() const
{
    QStringList names;
    for (const Template &each : m_templates)
        names.append(each.name);
    names << u"Entry"_s << u"Problem"_s;
    return names;
}

// A choice out of range (a damaged settings file) falls back to the first template.
void CaseMailTemplates::choose(int choice)
{
    m_choice = choice >= 1 && choice <= Problem ? choice : 1;
}

QString CaseMailTemplates::name(int choice) const
{
    return choiceNames().value(choice - 1);
}

QString CaseMailTemplates::subject(int choice) const
{
    return choice >= 1 && choice <= Templates ? m_templates[std::size_t(choice - 1)].subject : QString();
}

void CaseMailTemplates::setText(const QString &text)
{
    if (m_choice == Entry)
        m_entry = text;
    else if (isTemplate() && !text.isEmpty())
        chosen().subject = text.left(SubjectWidth);
}

void CaseMailTemplates::rename(const QString &name)
{
    if (isTemplate() && !name.isEmpty())
        chosen().name = name.left(NameWidth);
}

QString CaseMailTemplates::source(const QString &problem) const
{
    if (m_choice == Entry)
        return m_entry.trimmed();
    if (m_choice == Problem)
        return problem.trimmed();
    return subject(m_choice).trimmed();
}

QString CaseMailTemplates::header(std::uint32_t caseNr, const QString &problem) const
{
    const QString separator = m_choice == Problem ? u" - Case Nr. "_s : u" "_s;
    const QString header = source(problem) + separator + QString::number(caseNr);
    return header.left(HeaderWidth);
}

} // namespace vellum
