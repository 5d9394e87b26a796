#pragma once
// The small window shown while the frame starts: the application title over the artwork and
// "Interactive Vellum Program". It goes after five seconds, when it loses the focus, on any
// click, or when the user first picks a menu item of the frame. It opens over the middle of the
// frame, or where it stood when it last closed on this workstation.

#include <QWidget>

namespace vellum {

class SettingsFile;

class SplashWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int ShownMs = 5000;
    static const QString ProcedureName;

    SplashWindow(SettingsFile &settings, QWidget *parent = nullptr);

    void showOver(const QWidget *frame);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    SettingsFile &m_settings;
};

} // namespace vellum
