#pragma once
// The frame's register of windows that exist at most once, found by their procedure name: a
// second request brings the open one to the front, and a logout closes some of them.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <map>

namespace vellum {

class SingleWindows {
public:
    void add(const QString &procedure, QWidget *window);
    bool isOpen(const QString &procedure) const;
    // Restores an iconized window and makes it the active one; false when none is open.
    bool activate(const QString &procedure);
    void close(const QStringList &procedures);

private:
    QWidget *find(const QString &procedure) const;

    std::map<QString, QPointer<QWidget>> m_windows;
};

} // namespace vellum
