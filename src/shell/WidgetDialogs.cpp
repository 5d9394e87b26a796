#include "WidgetDialogs.h"

#include "PrintSetupWindow.h"
#include "framework/widgets/BgrColor.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace vellum {

WidgetDialogs::WidgetDialogs(QWidget *parent) : m_parent(parent)
{
}

WidgetDialogs::~WidgetDialogs() = default;

QString WidgetDialogs::chooseFolder(const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(m_parent, title, start);
}

QString WidgetDialogs::openFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, title, folder, qtFilter(filter));
}

QString WidgetDialogs::saveFile(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, folder, qtFilter(filter));
}

int WidgetDialogs::chooseColor(const QString &title, int initialBgr, bool *ok)
{
    const QColor chosen = QColorDialog::getColor(BgrColor::toColor(initialBgr), m_parent, title);
    if (ok)
        *ok = chosen.isValid();
    return chosen.isValid() ? BgrColor::toBgr(chosen) : initialBgr;
}

bool WidgetDialogs::printerSetup()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    PrintSetupWindow window(*m_printer, m_parent);
    return window.exec() == QDialog::Accepted;
}

QString WidgetDialogs::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    if (parts.size() < 2)
        return filter;
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts).join(u' ');
        filters.append(u"%1 (%2)"_s.arg(parts.at(i), patterns));
    }
    return filters.join(u";;"_s);
}

} // namespace vellum
