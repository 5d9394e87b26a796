#pragma once
// The frame's work area: the child windows over the wallpaper, which is scaled to fill the area.

#include <QMdiArea>
#include <QPixmap>

namespace vellum {

class FrameArea final : public QMdiArea {
    Q_OBJECT

public:
    explicit FrameArea(QWidget *parent = nullptr);

    // A picture that cannot be read leaves the plain background.
    void setWallpaper(const QString &path);
    bool hasWallpaper() const { return !m_wallpaper.isNull(); }
    // Lines the iconized child windows up along the bottom edge.
    void arrangeIcons();
    // Closes the child windows, newest first, so that a form goes before the list it came from.
    // False when one stays open (a form whose changes the user keeps); the older ones stay too.
    bool closeChildWindows();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void paintWallpaper();

    QPixmap m_wallpaper;
};

} // namespace vellum
