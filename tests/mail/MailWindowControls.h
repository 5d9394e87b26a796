#pragma once
// The controls of the mail windows, found by their object names as the tests act on them.

#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>

namespace vellum::test {

template<class Control>
Control *control(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<Control *>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The Inbox's list of messages.
inline QTreeWidget *list(const QWidget &inbox)
{
    return control<QTreeWidget>(inbox, QStringLiteral("list"));
}

// The texts of one column of the Inbox's list, top to bottom.
inline QStringList column(const QWidget &inbox, int index)
{
    QStringList texts;
    for (int row = 0; row < list(inbox)->topLevelItemCount(); ++row)
        texts.append(list(inbox)->topLevelItem(row)->text(index));
    return texts;
}

} // namespace vellum::test
