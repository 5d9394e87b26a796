#pragma once
// Draws the pages of a report with QPainter: on a printer, a PDF writer or a preview. Each page
// is read from the document when it is drawn, so a long report never is in memory at once.
// The lines are set in a fixed-pitch font sized to fit the page's widest line and its height.

#include "framework/ReportDocument.h"

#include <QFont>
#include <QList>
#include <QRectF>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace vellum {

class ReportRenderer {
public:
    explicit ReportRenderer(const ReportDocument &document);

    // One device page per report page, in the order given; false when there is no page, a page
    // could not be read or the device would not draw.
    bool print(QPagedPaintDevice &device, const QList<int> &pages) const;
    bool writePdf(const QString &path, const QList<int> &pages) const;
    // The page in the area (the device's own units).
    void paintPage(QPainter &painter, const ReportPage &page, const QRectF &area) const;

private:
    // One size for every page: the document's widest line and its rows fit the area.
    QFont fittingFont(const QPaintDevice *device, const QRectF &area) const;
    void drawPage(QPainter &painter, const ReportPage &page, const QRectF &area, const QFont &font) const;
    int rowsOnPage() const;

    const ReportDocument &m_document;
};

} // namespace vellum
