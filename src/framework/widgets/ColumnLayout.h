#pragma once
// A list's column layout (order and widths) kept under one key of the workstation settings file:
// read when the list opens, written when it closes. The text holds one "column:width" entry per
// column, in the order shown; a text that does not fit the list's columns is ignored.

#include <QString>

class QHeaderView;

namespace vellum {

class SettingsFile;

class ColumnLayout {
public:
    static void restore(QHeaderView *header, const SettingsFile &settings, const QString &section,
                        const QString &key);
    static void store(const QHeaderView *header, SettingsFile &settings, const QString &section, const QString &key);
};

} // namespace vellum
