#include "keyboardframe.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "clickablelabel.h"
#include "dialogs.h"
#include "documentstyle.h"
#include "phoneticbuttons.h"
#include "phonetickeyboard.h"
#include "twips.h"

namespace manual {
namespace {

using widgets::placeTwips;

const QString kHide = QStringLiteral("隐藏");
const QString kShow = QStringLiteral("显示");
const QString kHint = QStringLiteral("提示");

const QString kLetterBlockMessage = QStringLiteral(
    "    本簇音标与键盘字母对应。您可以选择用键\n"
    "盘输入它们，也可以点击这些按钮来输入它们。\n"
    "其中tr/dr在键盘上等价于t/d与r两个字母组合。\n"
    "再次单击这个地方可以隐藏它们。");

// The rows of the keyboard with a hint: the hint's and its toggle's names and tops (twips).
struct RowHint {
    const char* hintName;
    int hintTop;
    const char* toggleName;
    int toggleTop;
};
constexpr RowHint kRowHints[] = {
    {"Label1", 690, "Label4", 330},
    {"Label6", 1455, "Label7", 1095},
    {"Label8", 2220, "Label9", 1860},
};

QString rowHintText(int row) {
    const std::string_view text = keyboard::kKeyboardRows[row].hint;
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

widgets::ClickableLabel* toggleLabel(const char* name, const QString& caption, QWidget* parent) {
    auto* label = new widgets::ClickableLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace

KeyboardFrame::KeyboardFrame(platform::MessageBoxes& messages, QWidget* parent)
    : QGroupBox(QStringLiteral("辅音：9+19；元音：20；符号：3"), parent), messages_(messages) {
    setObjectName(QStringLiteral("Frame1"));
    setMouseTracking(true);
    buttons_ = keyboard::createKeyboardButtons(this, keyboard::KeyboardWindow::ManualInput);
    connect(buttons_, &QButtonGroup::idClicked, this, &KeyboardFrame::phoneticButtonClicked);

    QFont song(QStringLiteral("宋体"));
    song.setPointSizeF(12);
    for (int row = 0; row < int(rowHints_.size()); ++row) {
        const RowHint& place = kRowHints[row];
        rowHints_[row] = new QLabel(rowHintText(row), this);
        rowHints_[row]->setObjectName(QLatin1String(place.hintName));
        rowHints_[row]->setFont(song);
        placeTwips(rowHints_[row], 120, place.hintTop, 6420, 300);
        rowHintToggles_[row] = toggleLabel(place.toggleName, kHide, this);
        placeTwips(rowHintToggles_[row], 6660, place.toggleTop, 600, 270);
        connect(rowHintToggles_[row], &widgets::ClickableLabel::clicked, this,
                [this, row] { toggleRowHint(row); });
    }
    letterBlockToggle_ = toggleLabel("Label5", kHint, this);
    placeTwips(letterBlockToggle_, 6660, 2805, 600, 270);
    connect(letterBlockToggle_, &widgets::ClickableLabel::clicked, this,
            &KeyboardFrame::onLetterBlockToggleClicked);
    moreLabel_ = toggleLabel("Label10", QStringLiteral("more"), this);
    placeTwips(moreLabel_, 6840, 3135, 540, 255);
    connect(moreLabel_, &widgets::ClickableLabel::clicked, this, &KeyboardFrame::moreClicked);

    const std::array<widgets::ClickableLabel*, 5> toggles{
        rowHintToggles_[0], rowHintToggles_[1], rowHintToggles_[2], letterBlockToggle_, moreLabel_};
    for (widgets::ClickableLabel* label : toggles) {
        if (label != moreLabel_) {
            label->setToolTip(QStringLiteral("单击"));
        }
        connect(label, &widgets::ClickableLabel::mouseMoved, this,
                [this, label] { onToggleHovered(label); });
    }
    createHintMenu();
}

void KeyboardFrame::createHintMenu() {
    hintMenu_ = new QMenu(this);
    hintMenu_->setObjectName(QStringLiteral("popmenu"));
    // The same toggles as the labels beside the rows and the letter block.
    const struct {
        const char* caption;
        const char* name;
        int row;  // -1: the letter block
    } commands[] = {
        {"第一组辅音输入提示", "mnu1", 0},
        {"第一组元音输入提示", "mnu3", 1},
        {"第二组元音输入提示", "mnu4", 2},
        {"第二组辅音输入提示", "mnu2", -1},
    };
    for (const auto& command : commands) {
        if (command.row != 0) {
            hintMenu_->addSeparator();
        }
        QAction* action = hintMenu_->addAction(QString::fromUtf8(command.caption));
        action->setObjectName(QString::fromLatin1(command.name));
        const int row = command.row;
        connect(action, &QAction::triggered, this, [this, row] {
            if (row < 0) {
                onLetterBlockToggleClicked();
            } else {
                toggleRowHint(row);
            }
        });
    }
}

void KeyboardFrame::toggleRowHint(int row) {
    rowHintShown_[row] = !rowHintShown_[row];
    const bool shown = rowHintShown_[row];
    rowHints_[row]->setText(shown ? rowHintText(row) : QString());
    rowHintToggles_[row]->setText(shown ? kHide : kShow);
}

// The letter block's toggle goes round: first the hint, then hiding the block, then showing it.
void KeyboardFrame::onLetterBlockToggleClicked() {
    switch (letterBlockStep_) {
        case LetterBlockStep::Hint:
            letterBlockStep_ = LetterBlockStep::Hide;
            letterBlockToggle_->setText(kHide);
            messages_.show(window(), kLetterBlockMessage, platform::Icon::Information,
                           platform::Buttons::Ok, platform::Answer::Ok);
            break;
        case LetterBlockStep::Hide:
            letterBlockStep_ = LetterBlockStep::Show;
            letterBlockToggle_->setText(kShow);
            setLetterBlockVisible(false);
            break;
        case LetterBlockStep::Show:
            letterBlockStep_ = LetterBlockStep::Hint;
            letterBlockToggle_->setVisible(true);
            letterBlockToggle_->setText(kHint);
            setLetterBlockVisible(true);
            break;
    }
}

void KeyboardFrame::setLetterBlockVisible(bool visible) {
    for (const keyboard::KeyboardButton& button : keyboard::kKeyboardButtons) {
        if (keyboard::inLetterBlock(button)) {
            buttons_->button(button.index)->setVisible(visible);
        }
    }
}

void KeyboardFrame::onToggleHovered(QLabel* toggle) {
    setTextColour(toggle, QColor(core::rgbOf(core::kBlue)));
}

void KeyboardFrame::onBackgroundHovered() {
    const QColor normal = palette().color(QPalette::WindowText);
    for (QLabel* label : findChildren<widgets::ClickableLabel*>()) {
        setTextColour(label, normal);
    }
}

bool KeyboardFrame::onBackground(const QPointF& position) const {
    return childAt(position.toPoint()) == nullptr;
}

void KeyboardFrame::mousePressEvent(QMouseEvent* event) {
    QGroupBox::mousePressEvent(event);
    if (event->button() == Qt::RightButton && onBackground(event->position())) {
        hintMenu_->popup(event->globalPosition().toPoint());
    }
}

void KeyboardFrame::mouseMoveEvent(QMouseEvent* event) {
    QGroupBox::mouseMoveEvent(event);
    if (onBackground(event->position())) {
        onBackgroundHovered();
    }
}

}  // namespace manual
