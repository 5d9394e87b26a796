#include "CaseMarkerIcons.h"

#include "data/CaseVocabulary.h"

#include <QPainter>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int Size = 16;

QPixmap blank()
{
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    return picture;
}

} // namespace

QIcon CaseMarkerIcons::forMarker(std::uint16_t marker)
{
    switch (marker) {
    case CaseVocabulary::Marker::ChangedByOthers:
        return letter();
    case CaseVocabulary::Marker::OnHold:
        return at();
    default:
        return {};
    }
}

QIcon CaseMarkerIcons::letter()
{
    static const QIcon icon = [] {
        QPixmap picture = blank();
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.setBrush(QColor(255, 255, 235));
        const QRectF envelope(1.5, 3.5, 13, 9);
        painter.drawRect(envelope);
        painter.drawPolyline(QPolygonF{{1.5, 3.5}, {8, 9}, {14.5, 3.5}});
        return QIcon(picture);
    }();
    return icon;
}

QIcon CaseMarkerIcons::at()
{
    static const QIcon icon = [] {
        QPixmap picture = blank();
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::TextAntialiasing);
        QFont font = painter.font();
        font.setPixelSize(14);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(20, 70, 160));
        painter.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, u"@"_s);
        return QIcon(picture);
    }();
    return icon;
}

} // namespace vellum
