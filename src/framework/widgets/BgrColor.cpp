#include "BgrColor.h"

#include <QPalette>
#include <QWidget>

namespace vellum {

QColor BgrColor::toColor(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int BgrColor::toBgr(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void BgrColor::setListBackground(QWidget *list, int bgr)
{
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, toColor(bgr));
    list->setPalette(palette);
}

void BgrColor::setTextColors(QWidget *box, int textBgr, int backgroundBgr)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, toColor(textBgr));
    palette.setColor(QPalette::Base, toColor(backgroundBgr));
    box->setPalette(palette);
}

} // namespace vellum
