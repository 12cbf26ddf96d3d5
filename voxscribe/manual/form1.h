// The manual-input window "手动输入": English words typed on the ordinary keyboard, transcriptions
// on the phonetic keyboard (buttons, mapped keys, the rare-symbol panel), each confirmed entry
// written at the caret of the document box.
#pragma once

#include "escproofdialog.h"

#include <QPointer>
#include <QSize>

#include "services.h"

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace output {
class DocumentBox;
class WorkingDocument;
}  // namespace output
namespace widgets {
class ClickableLabel;
}

namespace manual {

class KeyboardFrame;

class Form1 : public widgets::EscProofDialog {
    Q_OBJECT
public:
    explicit Form1(platform::Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // The outer size of the window in twips after the window's size limits.
    static QSize limitedSize(QSize twips);

    // The entry mode, as the hidden mode label holds it.
    bool inPhoneticMode() const;
    bool panelPinned() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createKeyboardFrame();
    void createEntryFrame();
    void createPalettePanel();
    void createHintMenu();
    void connectControls();
    void checkPhoneticFont();

    // Key preview: every key press reaches the window before the focused control.
    bool isFirstDelivery(QObject* receiver, QEvent* event);
    void onKeyDown(int keyCode);

    void onCommand1Clicked(int index);
    void onC1Clicked(int index);
    void onConfirmClicked();
    void onEntryChanged(const QString& text);
    void switchMode();
    void toggleWordInputMethod();
    void onLabel4Clicked();
    void onLabel7Clicked();
    void onLabel9Clicked();
    void onLabel5Clicked();
    void onMoreClicked();
    void onPinClicked();
    void onFrame1BackgroundRightPressed(const QPoint& globalPosition);
    void onFrame1BackgroundHovered();
    void onHintLabelHovered(QLabel* label);

    void toggleHint(QLabel* toggle, QLabel* hint, int row);
    void setLetterBlockVisible(bool visible);
    void setWidthTwips(int twips);

    platform::Services& services_;

    // Controls, named as the window names them.
    QLabel* lblconvert = nullptr;
    KeyboardFrame* Frame1 = nullptr;
    QButtonGroup* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label8 = nullptr;
    widgets::ClickableLabel* Label4 = nullptr;
    widgets::ClickableLabel* Label7 = nullptr;
    widgets::ClickableLabel* Label9 = nullptr;
    widgets::ClickableLabel* Label5 = nullptr;
    widgets::ClickableLabel* Label10 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QPushButton* Command6 = nullptr;
    // The document; its save and transfer labels and its saver are the WorkingDocument's.
    output::WorkingDocument* document_ = nullptr;
    output::DocumentBox* Rich1 = nullptr;
    widgets::ClickableLabel* Label11 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QButtonGroup* c1 = nullptr;
    QMenu* popmenu = nullptr;
    QAction* mnu1 = nullptr;
    QAction* mnu2 = nullptr;
    QAction* mnu3 = nullptr;
    QAction* mnu4 = nullptr;

    // The key press being delivered and how far up the widget tree it has got.
    const QEvent* keyEvent_ = nullptr;
    QPointer<QObject> keyReceiver_;
};

}  // namespace manual
