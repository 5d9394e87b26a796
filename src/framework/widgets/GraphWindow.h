#pragma once
// A list's graph: a bar per category of the counted column, in the preference colours, with the
// grouping choice where the column offers more than one, saved as a PNG file or printed. Leaving
// it asks first.

#include "framework/GraphCategories.h"
#include "framework/GraphPreferences.h"

#include <QDialog>

class QChart;
class QChartView;
class QComboBox;

namespace vellum {

class Dialogs;
class Messages;
class PrinterChoice;

class GraphWindow : public QDialog {
    Q_OBJECT

public:
    static const QString ProcedureName;
    static const QString HelpTopic;

    GraphWindow(GraphCategories categories, const GraphPreferences &preferences, Dialogs &dialogs, Messages &messages,
                PrinterChoice &printers, QWidget *parent = nullptr);

    GraphCategories::Grouping grouping() const { return m_grouping; }
    void setGrouping(GraphCategories::Grouping grouping);
    QChart *chart() const { return m_chart; }
    QComboBox *groupingChoice() const { return m_groupingChoice; }

    // False when the user cancelled or the file could not be written (the user has been told).
    bool saveAsPng();
    // False when the user cancelled or the printer failed (the user has been told).
    bool print();
    void reject() override;

Q_SIGNALS:
    void helpRequested(const QString &topic);

private:
    void draw();

    GraphCategories m_categories;
    GraphPreferences m_preferences;
    Dialogs &m_dialogs;
    Messages &m_messages;
    PrinterChoice &m_printers;
    GraphCategories::Grouping m_grouping;
    QChart *m_chart;
    QChartView *m_view;
    QComboBox *m_groupingChoice;
};

} // namespace vellum
