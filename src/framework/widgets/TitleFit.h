#pragma once
// Keeps a window wide enough for its whole title: a narrow form would otherwise show
// "Adding a User Re..." in its title bar.

class QWidget;

namespace vellum {

class TitleFit {
public:
    // The width the window's title bar needs for its title, its icon and its buttons.
    static int width(const QWidget *window);
    // Makes that the window's least width; call it after the title is set, before showing.
    static void apply(QWidget *window);
};

} // namespace vellum
