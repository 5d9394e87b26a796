#pragma once
// The small window shown while the frame starts: the application title over the artwork and
// "Interactive Vellum Program". It goes after five seconds, when it loses the focus, on any
// click, or when the user first picks a menu item of the frame.

#include <QWidget>

namespace vellum {

class SplashWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int ShownMs = 5000;

    explicit SplashWindow(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace vellum
