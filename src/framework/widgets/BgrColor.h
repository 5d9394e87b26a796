#pragma once
// Colours as the settings file and the colour dialog seam keep them: one number, 0x00BBGGRR.

#include <QColor>

class QWidget;

namespace vellum {

class BgrColor {
public:
    static QColor toColor(int bgr);
    static int toBgr(const QColor &color);
    // The background of a list's rows.
    static void setListBackground(QWidget *list, int bgr);
    // The text and background of a text box.
    static void setTextColors(QWidget *box, int textBgr, int backgroundBgr);
};

} // namespace vellum
