#pragma once
// The pages the preview shows: a grid of across by down pages from the current one, each drawn
// by the renderer at the size the zoom gives.

#include <QWidget>

namespace vellum {

class ReportDocument;
class ReportRenderer;

class PreviewPane : public QWidget {
    Q_OBJECT

public:
    PreviewPane(const ReportDocument &document, const ReportRenderer &renderer, QWidget *parent = nullptr);

    // The first page, the grid, and the size of one page in pixels.
    void showPages(int firstPage, int across, int down, QSize pageSize);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int Gap = 12;

    const ReportDocument &m_document;
    const ReportRenderer &m_renderer;
    int m_firstPage = 1;
    int m_across = 1;
    int m_down = 1;
    QSize m_pageSize{595, 842};
};

} // namespace vellum
