#include "GraphWindow.h"

#include "BgrColor.h"
#include "NamedButton.h"
#include "PrinterChoice.h"
#include "framework/ApplicationMessage.h"
#include "framework/Dialogs.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QVBoxLayout>
#include <QValueAxis>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

QFont legendFont(const GraphPreferences::Font &preference)
{
    QFont font(preference.name, preference.size);
    font.setWeight(QFont::Weight(std::clamp(preference.weight, 1, 1000)));
    font.setItalic(preference.italic);
    font.setUnderline(preference.underline);
    font.setStrikeOut(preference.strikeOut);
    return font;
}

// Whole counts on the value axis: steps of 1, 2 or 5 times a power of ten, ten steps at the most.
std::int64_t countStep(std::int64_t most)
{
    for (std::int64_t power = 1;; power *= 10)
        for (const std::int64_t factor : {1, 2, 5})
            if (most <= 10 * factor * power)
                return factor * power;
}

// The chart lays itself out in posted events: a picture taken at once shows the grouping before.
void settle()
{
    QCoreApplication::sendPostedEvents();
}

} // namespace

const QString GraphWindow::ProcedureName = u"BrowseGraph"_s;
const QString GraphWindow::HelpTopic = u"Graph of a List Column"_s;

GraphWindow::GraphWindow(GraphCategories categories, const GraphPreferences &preferences, Dialogs &dialogs,
                         Messages &messages, PrinterChoice &printers, QWidget *parent)
    : QDialog(parent), m_categories(std::move(categories)), m_preferences(preferences), m_dialogs(dialogs),
      m_messages(messages), m_printers(printers), m_grouping(m_categories.groupings().front()), m_chart(nullptr),
      m_view(new QChartView(this)), m_groupingChoice(new QComboBox(this))
{
    setObjectName(ProcedureName);
    setWindowTitle(u"Graph of "_s + m_categories.column().header.trimmed());
    m_view->setRenderHint(QPainter::Antialiasing);
    m_groupingChoice->setObjectName(u"grouping"_s);
    for (const GraphCategories::Grouping grouping : m_categories.groupings())
        m_groupingChoice->addItem(GraphCategories::groupingName(grouping), int(grouping));
    auto *groupingLabel = new QLabel(u"&Group:"_s, this);
    groupingLabel->setBuddy(m_groupingChoice);
    const bool choice = m_groupingChoice->count() > 1;
    groupingLabel->setVisible(choice);
    m_groupingChoice->setVisible(choice);
    connect(m_groupingChoice, &QComboBox::activated, this,
            [this](int index) { setGrouping(GraphCategories::Grouping(m_groupingChoice->itemData(index).toInt())); });

    QPushButton *save = namedButton(u"save"_s, u"&Save as PNG..."_s, u"Save the graph as a PNG picture"_s);
    QPushButton *print = namedButton(u"print"_s, u"&Print"_s, u"Print the graph"_s);
    QPushButton *close = namedButton(u"close"_s, u"&Close"_s, u"Leave the graph"_s);
    QPushButton *help = namedButton(u"help"_s, u"&Help"_s);
    connect(save, &QPushButton::clicked, this, [this] { static_cast<void>(saveAsPng()); });
    connect(print, &QPushButton::clicked, this, [this] { static_cast<void>(this->print()); });
    connect(close, &QPushButton::clicked, this, &GraphWindow::close);
    connect(help, &QPushButton::clicked, this, [this] { Q_EMIT helpRequested(HelpTopic); });

    auto *top = new QHBoxLayout;
    top->addWidget(groupingLabel);
    top->addWidget(m_groupingChoice);
    top->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {save, print, close, help})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(720, 480);
    draw();
}

void GraphWindow::setGrouping(GraphCategories::Grouping grouping)
{
    m_grouping = grouping;
    m_groupingChoice->setCurrentIndex(m_groupingChoice->findData(int(grouping)));
    draw();
}

// One bar set per category, each with its count at its own place, so that every bar takes the
// next preference colour and the legend names it.
void GraphWindow::draw()
{
    // A new chart for each grouping: one changed in place keeps pieces of the last one on the
    // screen until its deferred clean-up has run.
    QChart *previous = m_view->chart();
    m_chart = new QChart;
    const std::vector<GraphCategories::Category> categories = m_categories.categories(m_grouping);
    auto *series = new QStackedBarSeries;
    QStringList labels;
    std::int64_t most = 0;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        auto *set = new QBarSet(categories[i].label);
        for (std::size_t place = 0; place < categories.size(); ++place)
            set->append(place == i ? double(categories[i].count) : 0.0);
        set->setColor(BgrColor::toColor(m_preferences.colours()[i % m_preferences.colours().size()]));
        series->append(set);
        labels.append(categories[i].label);
        most = std::max(most, categories[i].count);
    }
    m_chart->addSeries(series);
    auto *axisX = new QBarCategoryAxis;
    axisX->append(labels);
    m_chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto *axisY = new QValueAxis;
    const std::int64_t step = countStep(most);
    axisY->setRange(0, double((most + step - 1) / step * step));
    axisY->setTickType(QValueAxis::TicksDynamic);
    axisY->setTickAnchor(0);
    axisY->setTickInterval(double(step));
    axisY->setLabelFormat(u"%d"_s);
    m_chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    m_chart->setTitle(m_categories.column().header.trimmed() + u" ("_s + QString::number(m_categories.counted())
                      + u" records)"_s);
    m_chart->legend()->setFont(legendFont(m_preferences.font()));
    m_chart->legend()->setLabelColor(BgrColor::toColor(m_preferences.font().colour));
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_view->setChart(m_chart);
    delete previous;
}

bool GraphWindow::saveAsPng()
{
    QString path = m_dialogs.saveFile(u"Save Graph as PNG"_s, QString(), u"PNG Files|*.png"_s);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(u".png"_s, Qt::CaseInsensitive))
        path += u".png"_s;
    settle();
    if (m_view->grab().save(path, "PNG"))
        return true;
    ApplicationMessage::show(m_messages, u"The file "_s + path + u" could not be written."_s, MessageIcon::Exclamation);
    return false;
}

bool GraphWindow::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!m_printers.choose(printer, 1))
        return false;
    settle();
    QPainter painter;
    if (!painter.begin(&printer)) {
        ApplicationMessage::show(m_messages, u"The graph could not be printed."_s, MessageIcon::Exclamation);
        return false;
    }
    m_view->render(&painter, QRectF(painter.viewport()));
    return painter.end();
}

// Escape, "&Close" and the window's own close button all come here.
void GraphWindow::reject()
{
    if (ApplicationMessage::askYesNo(m_messages, GraphCategories::QuitQuestion))
        QDialog::reject();
}

} // namespace vellum
