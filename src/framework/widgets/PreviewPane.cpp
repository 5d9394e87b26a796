#include "PreviewPane.h"

#include "ReportRenderer.h"

#include <QPaintEvent>
#include <QPainter>

namespace vellum {

PreviewPane::PreviewPane(const ReportDocument &document, const ReportRenderer &renderer, QWidget *parent)
    : QWidget(parent), m_document(document), m_renderer(renderer)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Dark);
}

void PreviewPane::showPages(int firstPage, int across, int down, QSize pageSize)
{
    m_firstPage = firstPage;
    m_across = across;
    m_down = down;
    m_pageSize = pageSize;
    resize(sizeHint());
    update();
}

QSize PreviewPane::sizeHint() const
{
    return {m_across * (m_pageSize.width() + Gap) + Gap, m_down * (m_pageSize.height() + Gap) + Gap};
}

void PreviewPane::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const int margin = std::max(2, m_pageSize.width() / 20);
    for (int row = 0; row < m_down; ++row)
        for (int column = 0; column < m_across; ++column) {
            const int number = m_firstPage + row * m_across + column;
            if (number > m_document.pageCount())
                return;
            const QRect sheet(Gap + column * (m_pageSize.width() + Gap), Gap + row * (m_pageSize.height() + Gap),
                              m_pageSize.width(), m_pageSize.height());
            if (!sheet.intersects(event->rect()))
                continue;
            painter.fillRect(sheet, Qt::white);
            m_renderer.paintPage(painter, m_document.page(number),
                                 QRectF(sheet.adjusted(margin, margin, -margin, -margin)));
        }
}

} // namespace vellum
