#pragma once
// A list's column layout (order and widths) kept under one key of the workstation settings file:
// read when the list opens, written when it closes. The text holds one "column:width" entry per
// column, in the order shown; a text that does not fit the list's columns is ignored. Before
// any layout is kept, a column opens as wide as its header and its field need.

#include <QString>

class QHeaderView;
class QTableView;

namespace vellum {

class SettingsFile;

class ColumnLayout {
public:
    static void restore(QHeaderView *header, const SettingsFile &settings, const QString &section, const QString &key);
    static void store(const QHeaderView *header, SettingsFile &settings, const QString &section, const QString &key);

    // The width a column opens with: its whole header text, and `characters` characters of the
    // list's font as key data holds them (capitals and digits), beside the cell's margins.
    static int initialWidth(const QTableView *view, int column, int characters);
};

} // namespace vellum
