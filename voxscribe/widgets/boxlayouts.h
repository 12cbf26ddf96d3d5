// Windows laid out as data: rows and columns of controls, each with its stretch, and a working
// window's body under its title strip.
#pragma once

#include <QBoxLayout>
#include <initializer_list>

class QWidget;

namespace widgets {

// One place in a row or a column: a control, a layout, or empty space that stretches.
struct Cell {
    Cell(QWidget* control, int stretch = 0) : control(control), stretch(stretch) {}
    Cell(QLayout* layout, int stretch = 0) : layout(layout), stretch(stretch) {}
    static Cell space(int stretch) { return Cell(static_cast<QWidget*>(nullptr), stretch); }

    QWidget* control = nullptr;
    QLayout* layout = nullptr;
    int stretch = 0;
};

QHBoxLayout* row(std::initializer_list<Cell> cells);
QVBoxLayout* column(std::initializer_list<Cell> cells);

// The whole of a working window that lays itself out: its title strip across the top, edge to
// edge, and under it the body in the margins every such window keeps.
void layOutWorkingWindow(QWidget* window, QWidget* strip, std::initializer_list<Cell> body);

}  // namespace widgets
