#include "boxlayouts.h"

#include <QWidget>

namespace widgets {
namespace {

void fill(QBoxLayout* layout, std::initializer_list<Cell> cells) {
    for (const Cell& cell : cells) {
        if (cell.control != nullptr) {
            layout->addWidget(cell.control, cell.stretch);
        } else if (cell.layout != nullptr) {
            layout->addLayout(cell.layout, cell.stretch);
        } else {
            layout->addStretch(cell.stretch);
        }
    }
}

}  // namespace

QHBoxLayout* row(std::initializer_list<Cell> cells) {
    auto* layout = new QHBoxLayout;
    fill(layout, cells);
    return layout;
}

QVBoxLayout* column(std::initializer_list<Cell> cells) {
    auto* layout = new QVBoxLayout;
    fill(layout, cells);
    return layout;
}

void layOutWorkingWindow(QWidget* window, QWidget* strip, std::initializer_list<Cell> body) {
    QVBoxLayout* inside = column(body);
    inside->setContentsMargins(10, 8, 10, 10);
    auto* whole = new QVBoxLayout(window);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->setSpacing(0);
    whole->addWidget(strip);
    whole->addLayout(inside, 1);
}

}  // namespace widgets
