#include "ReportRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace vellum {

namespace {

constexpr int NarrowestLine = 80; // characters: short reports keep a readable size
constexpr qreal PdfMarginMm = 10;

QFont reportFont()
{
    QFont font(u"Monospace"_s);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace

ReportRenderer::ReportRenderer(const ReportDocument &document) : m_document(document)
{
}

bool ReportRenderer::print(QPagedPaintDevice &device, const QList<int> &pages) const
{
    QPainter painter;
    if (pages.isEmpty() || !painter.begin(&device))
        return false;
    const QRectF area(QPointF(0, 0), QSizeF(painter.viewport().size()));
    const QFont font = fittingFont(&device, area);
    bool first = true;
    for (const int number : pages) {
        const ReportPage page = m_document.page(number);
        if (page.number == 0 || (!first && !device.newPage())) {
            painter.end();
            return false;
        }
        drawPage(painter, page, area, font);
        first = false;
    }
    return painter.end();
}

bool ReportRenderer::writePdf(const QString &path, const QList<int> &pages) const
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(PdfMarginMm, PdfMarginMm, PdfMarginMm, PdfMarginMm), QPageLayout::Millimeter);
    writer.setTitle(m_document.title());
    return print(writer, pages);
}

void ReportRenderer::paintPage(QPainter &painter, const ReportPage &page, const QRectF &area) const
{
    drawPage(painter, page, area, fittingFont(painter.device(), area));
}

QFont ReportRenderer::fittingFont(const QPaintDevice *device, const QRectF &area) const
{
    QFont font = reportFont();
    font.setPixelSize(std::max(1, int(area.height() / rowsOnPage() * 0.8)));
    const int characters = std::max(NarrowestLine, m_document.widestLine());
    const qreal width = QFontMetricsF(font, device).horizontalAdvance(QString(characters, u'M'));
    if (width > area.width())
        font.setPixelSize(std::max(1, int(font.pixelSize() * area.width() / width)));
    return font;
}

void ReportRenderer::drawPage(QPainter &painter, const ReportPage &page, const QRectF &area, const QFont &font) const
{
    const qreal lineHeight = area.height() / rowsOnPage();
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const qreal ascent = QFontMetricsF(font, painter.device()).ascent();
    qreal y = area.top() + ascent;
    for (const QStringList *lines : {&page.header, &page.detail})
        for (const QString &line : *lines) {
            painter.drawText(QPointF(area.left(), y), line);
            y += lineHeight;
        }
    const qreal bottom = area.bottom() - lineHeight + ascent;
    painter.drawText(QPointF(area.left(), bottom), page.footerLeft);
    const qreal rightWidth = QFontMetricsF(font, painter.device()).horizontalAdvance(page.footerRight);
    painter.drawText(QPointF(area.right() - rightWidth, bottom), page.footerRight);
    painter.restore();
}

int ReportRenderer::rowsOnPage() const
{
    // The header, the detail lines, a blank line and the footer.
    return int(m_document.header().size()) + m_document.linesPerPage() + 2;
}

} // namespace vellum
