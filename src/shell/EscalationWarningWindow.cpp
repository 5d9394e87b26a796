#include "EscalationWarningWindow.h"

#include "framework/ApplicationMessage.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int ClockSize = 48;

QPushButton *button(const QString &caption, const QString &tip, const QString &name)
{
    auto *made = new QPushButton(caption);
    made->setToolTip(tip);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

} // namespace

EscalationWarningWindow::EscalationWarningWindow(QWidget *frame)
    : QDialog(frame), m_frame(frame), m_text(new QLabel),
      m_iconize(button(u"&Iconize Vellum"_s, u"Send to Program Bar"_s, u"iconize"_s)),
      m_close(button(u"&Close Window"_s, u"Close Message"_s, u"close"_s)),
      m_case(button(u"Case "_s, u"Read Case "_s, u"case"_s))
{
    setWindowTitle(ApplicationMessage::Title);
    setModal(true);
    auto *clock = new QLabel;
    clock->setPixmap(clockPicture(ClockSize));
    clock->setObjectName(u"clock"_s);
    m_text->setObjectName(u"text"_s);
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(260);

    auto *message = new QHBoxLayout;
    message->addWidget(clock, 0, Qt::AlignTop);
    message->addWidget(m_text, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *each : {m_iconize, m_close, m_case})
        buttons->addWidget(each);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addLayout(buttons);
    m_close->setDefault(true);

    connect(m_iconize, &QPushButton::clicked, this, [this] { answer(Choice::Iconize); });
    connect(m_close, &QPushButton::clicked, this, [this] { answer(Choice::Close); });
    connect(m_case, &QPushButton::clicked, this, [this] { answer(Choice::OpenCase); });
}

WarningPresenter::Choice EscalationWarningWindow::present(const QString &text, std::uint32_t caseNr)
{
    m_text->setText(text.left(MaxTextLength));
    m_case->setText(u"Case "_s + QString::number(caseNr));
    m_choice = Choice::Close;
    if (m_frame != nullptr) {
        if (m_frame->isMinimized())
            m_frame->showNormal();
        m_frame->activateWindow();
    }
    exec();
    if (m_choice == Choice::Iconize && m_frame != nullptr)
        m_frame->showMinimized();
    return m_choice;
}

void EscalationWarningWindow::answer(Choice choice)
{
    m_choice = choice;
    accept();
}

QPixmap EscalationWarningWindow::clockPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = size / 2.0 - 2;
    painter.translate(size / 2.0, size / 2.0);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(QColor(255, 250, 220));
    painter.drawEllipse(QPointF(0, 0), radius, radius);
    // Twelve marks, then the hands at ten to two.
    for (int hour = 0; hour < 12; ++hour) {
        painter.drawLine(QPointF(0, -radius + 2), QPointF(0, -radius + (hour % 3 == 0 ? 7 : 4)));
        painter.rotate(30);
    }
    painter.setPen(QPen(QColor(20, 20, 20), 3, Qt::SolidLine, Qt::RoundCap));
    painter.save();
    painter.rotate(55);
    painter.drawLine(QPointF(0, 0), QPointF(0, -radius * 0.5));
    painter.restore();
    painter.setPen(QPen(QColor(180, 20, 20), 2, Qt::SolidLine, Qt::RoundCap));
    painter.rotate(-60);
    painter.drawLine(QPointF(0, 0), QPointF(0, -radius * 0.8));
    return picture;
}

} // namespace vellum
