#pragma once
// "ViewArchive": one knowledge-base case on the tab "General", its history in colours of the
// workstation's choosing. "&Print" prints the case through the hook its opener sets, and is
// disabled while there is none.

#include "ArchiveCaseReader.h"
#include "framework/TextColors.h"
#include "framework/widgets/ProcedureWindow.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QFormLayout;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vellum {

class Workstation;

class ArchiveCaseView final : public ProcedureWindow {
    Q_OBJECT

public:
    static const QString ProcedureName; // "ViewArchive"
    static const QString HelpTopic;     // "View Archive"

    using PrintHook = std::function<void(std::uint32_t caseNr)>;

    // Case number 0 shows `current`, the record its caller stands on.
    ArchiveCaseView(Workstation &workstation, std::uint32_t caseNr, const ArchiveRecord &current = {},
                    QWidget *parent = nullptr);

    void setPrintHook(PrintHook hook);
    const ArchiveRecord &record() const { return m_reader.record(); }
    const TextColors &colors() const { return m_colors; }
    QPushButton *printButton() const { return m_print; }
    QPlainTextEdit *historyText() const { return m_history; }

    // "&Text Color" and "&Background" of the menu "Colo&r".
    void chooseTextColor();
    void chooseBackgroundColor();
    // Prints the case shown, then shows it as it is stored now.
    void print();

protected:
    bool aboutToShow() override;

private:
    void buildMenu(QLayout *layout);
    QWidget *buildGeneralTab();
    QWidget *buildButtons();
    void showRecord();
    void showColors();

    ArchiveCaseReader m_reader;
    TextColors m_colors;
    std::uint32_t m_caseNr;
    PrintHook m_printHook;
    std::vector<std::pair<QString ArchiveRecord::*, QLineEdit *>> m_fields; // the texts shown, by field
    QLineEdit *m_started = nullptr;
    QPlainTextEdit *m_history = nullptr;
    QPushButton *m_print = nullptr;
};

} // namespace vellum
