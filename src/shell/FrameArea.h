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

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void paintWallpaper();

    QPixmap m_wallpaper;
};

} // namespace vellum
