#pragma once
// The "Format Listbox..." window: per column its header text, header and data offsets,
// justification, width, whether it is fixed and whether it is shown, moved left or right; the
// list's position, size, line height, font, "Column Colors" and scroll bars; "&Default" puts the
// designed format back in the window. OK hands the layout to the list.

#include "framework/BrowseLayout.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QFontComboBox;
class QSpinBox;
class QTableWidget;

namespace vellum {

class Dialogs;

class FormatListboxDialog : public QDialog {
    Q_OBJECT

public:
    static inline const QString HelpTopic = u"Format Listbox"_qs;

    enum Cell {
        HeaderCell,
        HeaderOffsetCell,
        DataOffsetCell,
        HeaderJustifyCell,
        DataJustifyCell,
        WidthCell,
        ShownCell,
        FixedCell,
        CellCount
    };

    FormatListboxDialog(const BrowseLayout &layout, BrowseLayout designed, Dialogs &dialogs, QWidget *parent);

    // The layout as the window holds it now.
    BrowseLayout result() const;
    QTableWidget *columnTable() const { return m_table; }
    void moveColumn(int step);
    void restoreDefault();
    // Chooses one of the four colours of the highlighted column: 0 background, 1 text,
    // 2 selected background, 3 selected text.
    void chooseColor(int which);

Q_SIGNALS:
    void helpRequested();

private:
    void fill(const BrowseLayout &layout);
    void fillRow(int row, const ColumnStyle &style);
    ColumnStyle rowStyle(int row) const;
    QWidget *listBox();
    QWidget *colorBox();

    BrowseLayout m_designed;
    Dialogs &m_dialogs;
    std::vector<ColumnStyle> m_styles; // colours and flags the table does not show, in its row order
    BrowseLayout m_list;               // the list-wide values not in a field
    QTableWidget *m_table;
    QSpinBox *m_x;
    QSpinBox *m_y;
    QSpinBox *m_width;
    QSpinBox *m_height;
    QSpinBox *m_lineHeight;
    QFontComboBox *m_font;
    QSpinBox *m_point;
    QCheckBox *m_bold;
    QCheckBox *m_italic;
    QCheckBox *m_hscroll;
    QCheckBox *m_vscroll;
};

} // namespace vellum
