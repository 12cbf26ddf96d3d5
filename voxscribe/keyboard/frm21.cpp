#include "frm21.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "phoneticbuttons.h"
#include "phonetickeyboard.h"
#include "twips.h"

namespace keyboard {
namespace {

constexpr int kClientWidth = 4890;
constexpr int kClientHeight = 1200;
constexpr int kNarrowButtonWidth = 570;  // the buttons of indexes 34 and 37

struct PaletteRow {
    std::span<const int> indexes;
    int top;
};
constexpr PaletteRow kRows[] = {{kPaletteRow1, 180}, {kPaletteRow2, 675}};

}  // namespace

Frm21::Frm21(QLineEdit* target, QWidget* parent) : EscProofDialog(parent), target_(target) {
    setObjectName(QStringLiteral("Frm21"));
    setWindowTitle(QStringLiteral("不常用音标"));
    setModal(true);
    setFixedSize(widgets::pixels(kClientWidth), widgets::pixels(kClientHeight));

    auto* frame = new QGroupBox(this);
    auto* symbols = new QButtonGroup(this);  // c1
    connect(symbols, &QButtonGroup::idClicked, this, &Frm21::onSymbolClicked);
    frame->setObjectName(QStringLiteral("Frame1"));
    widgets::placeTwips(frame, 0, 0, kClientWidth, kClientHeight);
    for (const PaletteRow& row : kRows) {
        int left = 0;
        for (const int index : row.indexes) {
            const int width = index == 34 || index == 37 ? kNarrowButtonWidth : kPaletteButtonWidth;
            QPushButton* button = createPaletteButton({index, paletteCode(index)}, frame, width);
            button->move(widgets::pixels(left), widgets::pixels(row.top));
            left += width;
            symbols->addButton(button, index);
        }
    }
}

void Frm21::onSymbolClicked(int index) {
    if (target_ == nullptr) {
        return;
    }
    target_->insert(QString(QLatin1Char(paletteCode(index))));
    // While this window is modal the box's window cannot take the focus; the box becomes its
    // window's focus widget and has the focus once the palette closes.
    target_->setFocus();
}

}  // namespace keyboard
