#include "TitleFit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

namespace vellum {

namespace {

constexpr int ProbeWidth = 4000;
// A window manager's title bar holds an icon and up to three buttons beside the title.
constexpr int OwnWindowButtons = 4;

// The title bar's font, bold as the active window shows it.
QFont titleFont(const QWidget *window)
{
    QFont font = qobject_cast<const QMdiSubWindow *>(window) != nullptr ? QApplication::font("QMdiSubWindowTitleBar")
                                                                        : QApplication::font();
    font.setBold(true);
    return font;
}

// What the title bar of a child window takes beside its title, as its style draws it.
int childTitleBarOverhead(const QMdiSubWindow *child)
{
    QStyleOptionTitleBar option;
    option.initFrom(child);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = child->windowFlags();
    option.titleBarState = int(child->windowState());
    const int height = child->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, child);
    option.rect = QRect(0, 0, ProbeWidth, height);
    const QRect label = child->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, child);
    return ProbeWidth - label.width();
}

} // namespace

int TitleFit::width(const QWidget *window)
{
    const QFontMetrics metrics(titleFont(window));
    const int title = metrics.horizontalAdvance(window->windowTitle()) + 2 * metrics.averageCharWidth();
    if (const auto *child = qobject_cast<const QMdiSubWindow *>(window))
        return title + childTitleBarOverhead(child);
    const int buttons = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return title + OwnWindowButtons * buttons;
}

void TitleFit::apply(QWidget *window)
{
    window->setMinimumWidth(std::max(window->minimumWidth(), width(window)));
}

} // namespace vellum
