#pragma once
// The graph preferences every list shares: the sixteen colours (the graphs use the first eight)
// and the legend's font. "&Ok" stores them in the settings file, "&Cancel" leaves the file as it
// was, "&Default" shows the designed values again.

#include "framework/GraphPreferences.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace vellum {

class Dialogs;
class Messages;
class SettingsFile;

class GraphPreferencesWindow : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;

    GraphPreferencesWindow(SettingsFile &settings, Dialogs &dialogs, Messages &messages, QWidget *parent = nullptr);

    // Runs the window; true only when the preferences were stored. help shows a help topic.
    static bool edit(QWidget *parent, SettingsFile &settings, Dialogs &dialogs, Messages &messages,
                     const std::function<void(const QString &)> &help = {});

    // The values the controls hold.
    GraphPreferences values() const;
    void showValues(const GraphPreferences &values);
    void accept() override;

Q_SIGNALS:
    void helpRequested(const QString &topic);

private:
    QWidget *colourBox();
    QWidget *fontBox();
    void chooseColour(int index);
    void chooseFontColour();
    static void paintSwatch(QPushButton *button, int bgr);

    SettingsFile &m_settings;
    Dialogs &m_dialogs;
    Messages &m_messages;
    GraphPreferences m_values;
    std::array<QPushButton *, GraphPreferences::ColourCount> m_swatches{};
    QComboBox *m_fontName = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QPushButton *m_fontColour = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QCheckBox *m_strikeOut = nullptr;
};

} // namespace vellum
