#include "SplashWindow.h"

#include "framework/ApplicationMessage.h"
#include "framework/widgets/WindowPlacer.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

static void registerArtwork()
{
    Q_INIT_RESOURCE(artwork);
}

namespace vellum {

namespace {

constexpr bool Resizable = false;

QLabel *centredLabel(const QString &text, const QString &name, int pointSize)
{
    auto *label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

} // namespace

const QString SplashWindow::ProcedureName = u"AppSplash"_s;

SplashWindow::SplashWindow(SettingsFile &settings, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_settings(settings)
{
    registerArtwork();
    setObjectName(ProcedureName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ApplicationMessage::Title);

    auto *picture = new QLabel;
    picture->setPixmap(QPixmap(u":/artwork/splash.jpg"_s));
    picture->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(centredLabel(ApplicationMessage::Title, u"title"_s, 16));
    layout->addWidget(centredLabel(u"Interactive Vellum Program"_s, u"line"_s, 10));

    QTimer::singleShot(ShownMs, this, &QWidget::close);
}

void SplashWindow::showOver(const QWidget *frame)
{
    adjustSize();
    move(frame->geometry().center() - rect().center());
    WindowPlacer::restore(this, m_settings, ProcedureName, Resizable);
    show();
    activateWindow();
}

void SplashWindow::closeEvent(QCloseEvent *event)
{
    WindowPlacer::store(this, m_settings, ProcedureName, Resizable);
    QWidget::closeEvent(event);
}

bool SplashWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        close();
    return QWidget::event(event);
}

void SplashWindow::mousePressEvent(QMouseEvent *)
{
    close();
}

void SplashWindow::mouseDoubleClickEvent(QMouseEvent *)
{
    close();
}

} // namespace vellum
