// The phonetic keyboard of the manual-input window: the frame Frame1 with the buttons Command1,
// the hints above the first three rows with their toggles, the letter block's toggle, "more", and
// the hint menu that a right click on the frame's background opens.
#pragma once

#include <QGroupBox>
#include <QPoint>
#include <array>

class QButtonGroup;
class QLabel;
class QMenu;

namespace platform {
class MessageBoxes;
}
namespace widgets {
class ClickableLabel;
}

namespace manual {

class KeyboardFrame : public QGroupBox {
    Q_OBJECT
public:
    KeyboardFrame(platform::MessageBoxes& messages, QWidget* parent = nullptr);

Q_SIGNALS:
    // A button of the keyboard was clicked: the index of its codes.
    void phoneticButtonClicked(int index);
    void moreClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The letter-block toggle's steps: its caption reads 提示, 隐藏 or 显示.
    enum class LetterBlockStep { Hint, Hide, Show };

    void createHintMenu();
    void toggleRowHint(int row);
    void onLetterBlockToggleClicked();
    void setLetterBlockVisible(bool visible);
    void onToggleHovered(QLabel* toggle);
    void onBackgroundHovered();
    // Presses and moves over a child reach the frame too when the child ignores them.
    bool onBackground(const QPointF& position) const;

    platform::MessageBoxes& messages_;
    std::array<bool, 3> rowHintShown_{true, true, true};
    LetterBlockStep letterBlockStep_ = LetterBlockStep::Hint;

    QButtonGroup* buttons_ = nullptr;
    // Label1, Label6, Label8 and their toggles Label4, Label7, Label9.
    std::array<QLabel*, 3> rowHints_{};
    std::array<widgets::ClickableLabel*, 3> rowHintToggles_{};
    widgets::ClickableLabel* letterBlockToggle_ = nullptr;  // Label5
    widgets::ClickableLabel* moreLabel_ = nullptr;          // Label10
    QMenu* hintMenu_ = nullptr;                             // popmenu
};

}  // namespace manual
