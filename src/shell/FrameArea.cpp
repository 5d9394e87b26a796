#include "FrameArea.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QResizeEvent>

namespace vellum {

FrameArea::FrameArea(QWidget *parent) : QMdiArea(parent)
{
}

void FrameArea::setWallpaper(const QString &path)
{
    m_wallpaper = QPixmap(path);
    paintWallpaper();
}

void FrameArea::resizeEvent(QResizeEvent *event)
{
    QMdiArea::resizeEvent(event);
    paintWallpaper();
}

void FrameArea::paintWallpaper()
{
    if (m_wallpaper.isNull() || viewport()->size().isEmpty()) {
        setBackground(palette().brush(QPalette::Dark));
        return;
    }
    setBackground(m_wallpaper.scaled(viewport()->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void FrameArea::arrangeIcons()
{
    // Iconized child windows share one size: rows from the bottom edge upwards.
    int x = 0;
    int row = 0;
    for (QMdiSubWindow *window : subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        if (x > 0 && x + window->width() > viewport()->width()) {
            x = 0;
            ++row;
        }
        window->move(x, viewport()->height() - (row + 1) * window->height());
        x += window->width();
    }
}

bool FrameArea::closeChildWindows()
{
    const QList<QMdiSubWindow *> windows = subWindowList(QMdiArea::CreationOrder);
    QList<QPointer<QMdiSubWindow>> newestFirst(windows.crbegin(), windows.crend());
    for (const QPointer<QMdiSubWindow> &window : std::as_const(newestFirst)) {
        // A list closes its own form: that form may be gone already.
        if (window && window->isVisible() && !window->close())
            return false;
    }
    return true;
}

} // namespace vellum
