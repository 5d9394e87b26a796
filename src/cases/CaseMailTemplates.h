#pragma once
// The mail templates of the notes window, as section "AddNotes" of the settings file keeps them:
// four named templates with their subject text, the free entry and the case's problem as the
// header's source, and whether the problem and the signature go with the mail. The header is
// built from the chosen source and the case number.

#include "framework/SettingsFile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace vellum {

class CaseMailTemplates {
public:
    static const QString Section; // "AddNotes"
    static constexpr int Templates = 4;
    static constexpr int Entry = 5;   // the user types the header's text
    static constexpr int Problem = 6; // the case's problem is the header's text
    static constexpr int NameWidth = 8;
    static constexpr int SubjectWidth = 63;
    static constexpr int HeaderWidth = 70;

    // The defaults, as a workstation without settings starts.
    CaseMailTemplates();

    void load(const SettingsFile &settings);
    void store(SettingsFile &settings) const;

    // The choice's names in order: the four templates, "Entry", "Problem".
    QStringList choiceNames() const;
    int choice() const { return m_choice; }
    void choose(int choice);
    bool isTemplate() const { return m_choice >= 1 && m_choice <= Templates; }

    QString name(int choice) const;
    QString subject(int choice) const;
    const QString &entryText() const { return m_entry; }

    // The chosen template's subject text, or the typed entry text. An empty subject of a
    // template is not taken; nothing changes for "Problem".
    void setText(const QString &text);
    // A new name for the chosen template; an empty name is not taken.
    void rename(const QString &name);

    // The text the header is built from; a mail is not sent while it is empty.
    QString source(const QString &problem) const;
    // At most HeaderWidth characters.
    QString header(std::uint32_t caseNr, const QString &problem) const;

    bool addProblem = false;
    bool addSignature = false;

private:
    struct Template {
        QString name;
        QString subject;
    };
    Template &chosen() { return m_templates[std::size_t(m_choice - 1)]; }

    std::array<Template, Templates> m_templates;
    int m_choice = 1;
    QString m_entry;
};

} // namespace vellum
