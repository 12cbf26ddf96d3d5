// The smart-annotation window: the user types an English word, presses Enter, and the word goes
// into the document followed by its transcription from the dictionary. Esc switches to plain input,
// in which the typed text goes into the document unchanged.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
struct Services;
}
namespace output {
class DocumentBox;
class WorkingDocument;
}  // namespace output
namespace widgets {
class ClickableLabel;
}

namespace core {
class LookupClient;
}

namespace smart {

class Frm3 : public QWidget {
    Q_OBJECT
public:
    Frm3(platform::Services& services, core::LookupClient& lookup, QWidget* parent = nullptr);

    // Text1 and Rich1, which the manual-entry dialog reads and writes.
    QLineEdit* entryBox() const { return Text1; }
    output::DocumentBox* documentBox() const { return Rich1; }
    // Shows the manual-entry dialog; called when the user answers Yes to the not-found question.
    void setManualEntryOpener(std::function<void()> opener);

    // The question asked when the dictionary lacks the word of this lookup key.
    static QString notFoundQuestion(const QString& key);
    // True while lblconvert says the typed text goes into the document unchanged.
    bool isPlainInput() const;

Q_SIGNALS:
    // The window is closing for good: the user has answered for its document.
    void closing();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void onEntryChanged(const QString& text);
    void onConfirmClicked();
    void onModeToggled();

private:
    void buildControls();
    void placeControls();
    void prepareMissLog();
    void loadLockPicture();
    void insertAnnotated(const QString& entry, const QString& transcription);

    platform::Services& services_;
    core::LookupClient& lookup_;
    std::function<void()> manualEntryOpener_;

    // Entry.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option3 = nullptr;
    // The document; its save and transfer labels and its saver are the WorkingDocument's.
    output::WorkingDocument* document_ = nullptr;
    output::DocumentBox* Rich1 = nullptr;
    widgets::ClickableLabel* lblconvert = nullptr;
    QLabel* Image2 = nullptr;
};

}  // namespace smart
