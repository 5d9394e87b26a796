#include "GraphPreferencesWindow.h"

#include "BgrColor.h"
#include "NamedButton.h"
#include "framework/ApplicationMessage.h"
#include "framework/Dialogs.h"
#include "framework/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int SwatchesPerRow = 8;
constexpr int NormalWeight = 400;
constexpr int BoldWeight = 700;
constexpr int BoldFrom = 600; // a stored weight from here on shows as bold

QCheckBox *namedCheck(const QString &name, const QString &text, QWidget *parent)
{
    auto *check = new QCheckBox(text, parent);
    check->setObjectName(name);
    return check;
}

} // namespace

const QString GraphPreferencesWindow::ProcedureName = u"BrowsePreferences"_s;
const QString GraphPreferencesWindow::HelpTopic = u"Graph Preferences"_s;

GraphPreferencesWindow::GraphPreferencesWindow(SettingsFile &settings, Dialogs &dialogs, Messages &messages,
                                               QWidget *parent)
    : QDialog(parent), m_settings(settings), m_dialogs(dialogs), m_messages(messages), m_values(settings)
{
    setObjectName(ProcedureName);
    setWindowTitle(u"Preferences"_s);
    QPushButton *ok = namedButton(u"ok"_s, u"&Ok"_s, u"Store the preferences"_s);
    QPushButton *cancel = namedButton(u"cancel"_s, u"&Cancel"_s, u"Leave the preferences as they were"_s);
    QPushButton *defaults = namedButton(u"default"_s, u"&Default"_s, u"Show the designed preferences"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &GraphPreferencesWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &GraphPreferencesWindow::reject);
    connect(defaults, &QPushButton::clicked, this, [this] { showValues(GraphPreferences()); });
    connect(help, &QPushButton::clicked, this, [this] { Q_EMIT helpRequested(HelpTopic); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {ok, cancel, defaults, help})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(colourBox());
    layout->addWidget(fontBox());
    layout->addLayout(buttons);
    showValues(m_values);
}

bool GraphPreferencesWindow::edit(QWidget *parent, SettingsFile &settings, Dialogs &dialogs, Messages &messages,
                                  const std::function<void(const QString &)> &help)
{
    GraphPreferencesWindow window(settings, dialogs, messages, parent);
    if (help)
        connect(&window, &GraphPreferencesWindow::helpRequested, &window, help);
    return window.exec() == QDialog::Accepted;
}

QWidget *GraphPreferencesWindow::colourBox()
{
    auto *box = new QGroupBox(u"Graph Colours"_s, this);
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < GraphPreferences::ColourCount; ++i) {
        QPushButton *swatch = namedButton(GraphPreferences::colourKey(i), QString::number(i + 1));
        connect(swatch, &QPushButton::clicked, this, [this, i] { chooseColour(i); });
        m_swatches[std::size_t(i)] = swatch;
        grid->addWidget(swatch, i / SwatchesPerRow, i % SwatchesPerRow);
    }
    grid->addWidget(new QLabel(u"The graphs use the first eight colours."_s, box), 2, 0, 1, SwatchesPerRow);
    return box;
}

QWidget *GraphPreferencesWindow::fontBox()
{
    auto *box = new QGroupBox(u"Legend Font"_s, this);
    // Any family may be named: one this desktop lacks is kept as the file holds it.
    m_fontName = new QComboBox(box);
    m_fontName->setObjectName(u"FontName"_s);
    m_fontName->setEditable(true);
    m_fontName->addItems(QFontDatabase::families());
    m_fontSize = new QSpinBox(box);
    m_fontSize->setObjectName(u"FontSize"_s);
    m_fontSize->setRange(4, 72);
    m_fontColour = namedButton(u"FontColor"_s, u"C&olour..."_s, u"Choose the colour of the legend"_s);
    connect(m_fontColour, &QPushButton::clicked, this, &GraphPreferencesWindow::chooseFontColour);
    m_bold = namedCheck(u"bold"_s, u"&Bold"_s, box);
    m_italic = namedCheck(u"italic"_s, u"&Italic"_s, box);
    m_underline = namedCheck(u"underline"_s, u"&Underline"_s, box);
    m_strikeOut = namedCheck(u"strikeOut"_s, u"S&trikeout"_s, box);
    auto *styles = new QHBoxLayout;
    for (QWidget *widget : {static_cast<QWidget *>(m_bold), static_cast<QWidget *>(m_italic),
                            static_cast<QWidget *>(m_underline), static_cast<QWidget *>(m_strikeOut)})
        styles->addWidget(widget);
    auto *form = new QFormLayout(box);
    form->addRow(u"&Font:"_s, m_fontName);
    form->addRow(u"&Size:"_s, m_fontSize);
    form->addRow(u"Style:"_s, styles);
    form->addRow(u"Colour:"_s, m_fontColour);
    return box;
}

GraphPreferences GraphPreferencesWindow::values() const
{
    GraphPreferences values = m_values;
    GraphPreferences::Font font = values.font();
    if (const QString name = m_fontName->currentText().trimmed(); !name.isEmpty())
        font.name = name;
    font.size = m_fontSize->value();
    // A weight the file gave keeps its value while bold is left as it showed.
    if (m_bold->isChecked() != (font.weight >= BoldFrom))
        font.weight = m_bold->isChecked() ? BoldWeight : NormalWeight;
    font.italic = m_italic->isChecked();
    font.underline = m_underline->isChecked();
    font.strikeOut = m_strikeOut->isChecked();
    values.setFont(font);
    return values;
}

void GraphPreferencesWindow::showValues(const GraphPreferences &values)
{
    m_values = values;
    for (int i = 0; i < GraphPreferences::ColourCount; ++i)
        paintSwatch(m_swatches[std::size_t(i)], values.palette()[std::size_t(i)]);
    const GraphPreferences::Font &font = values.font();
    m_fontName->setCurrentText(font.name);
    m_fontSize->setValue(font.size);
    paintSwatch(m_fontColour, font.colour);
    m_bold->setChecked(font.weight >= BoldFrom);
    m_italic->setChecked(font.italic);
    m_underline->setChecked(font.underline);
    m_strikeOut->setChecked(font.strikeOut);
}

void GraphPreferencesWindow::accept()
{
    if (!values().store(m_settings)) {
        ApplicationMessage::show(m_messages, u"The preferences could not be written to "_s + m_settings.path() + u'.',
                                 MessageIcon::Exclamation);
        return;
    }
    QDialog::accept();
}

void GraphPreferencesWindow::chooseColour(int index)
{
    bool ok = false;
    const int bgr =
        m_dialogs.chooseColor(u"Colour "_s + QString::number(index + 1), m_values.palette()[std::size_t(index)], &ok);
    if (!ok)
        return;
    m_values.setColour(index, bgr);
    paintSwatch(m_swatches[std::size_t(index)], bgr);
}

void GraphPreferencesWindow::chooseFontColour()
{
    bool ok = false;
    const int bgr = m_dialogs.chooseColor(u"Legend Colour"_s, m_values.font().colour, &ok);
    if (!ok)
        return;
    GraphPreferences::Font font = values().font();
    font.colour = bgr;
    m_values.setFont(font);
    paintSwatch(m_fontColour, bgr);
}

void GraphPreferencesWindow::paintSwatch(QPushButton *button, int bgr)
{
    QPixmap swatch(24, 14);
    swatch.fill(BgrColor::toColor(bgr));
    button->setIcon(swatch);
}

} // namespace vellum
