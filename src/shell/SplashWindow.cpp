#include "SplashWindow.h"

#include "framework/ApplicationMessage.h"

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

SplashWindow::SplashWindow(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    registerArtwork();
    setObjectName(u"AppSplash"_s);
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
