#include "frm1.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "annotation.h"
#include "documentbox.h"
#include "frm21.h"
#include "misslog.h"
#include "phoneticbuttons.h"
#include "phonetickeyboard.h"
#include "twips.h"

namespace smart {
namespace {

constexpr int kClientWidth = 7575;
constexpr int kClientHeight = 4485;
// With the row of the suggestion below the entry.
constexpr int kClientHeightWithSuggestion = 5040;

}  // namespace

Frm1::Frm1(platform::Services& services, Frm3* frm3, std::shared_ptr<core::Suggestion> suggestion,
           QWidget* parent)
    : EscProofDialog(parent), services_(services), frm3_(frm3), suggestion_(std::move(suggestion)) {
    using widgets::placeTwips;
    setObjectName(QStringLiteral("Frm1"));
    setWindowTitle(QStringLiteral("手动添加音标"));
    setFixedSize(widgets::pixels(kClientWidth), widgets::pixels(kClientHeightWithSuggestion));

    Frame1 = widgets::placed(new QGroupBox(QStringLiteral("辅音：9+19；元音：20；符号：3"), this),
                             "Frame1", {60, 30, 7455, 3690});
    Command1 = keyboard::createKeyboardButtons(Frame1, keyboard::KeyboardWindow::ManualEntry);
    Command7 = widgets::placed(new QPushButton(QStringLiteral("more"), Frame1), "Command7",
                               {6540, 3150, 735, 405});
    Command7->setAutoDefault(false);

    Frame3 = widgets::placed(new QGroupBox(this), "Frame3", {60, 3750, 6600, 675});
    Label2 = widgets::placed(new QLabel(QStringLiteral("接受音标输入"), Frame3), "Label2",
                             {120, 195, 1320, 300});
    Text1 = new QLineEdit(Frame3);
    Text1->setObjectName(QStringLiteral("Text1"));
    QFont phonetic(core::phoneticFont());
    phonetic.setPointSizeF(12);
    Text1->setFont(phonetic);
    Text1->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text1->setToolTip(QStringLiteral("中文输入法被屏蔽"));
    placeTwips(Text1, 1470, 120, 5010, 435);

    Command6 = widgets::placed(new QPushButton(QStringLiteral("确认"), this), "Command6",
                               {6780, 3855, 675, 450});
    Command6->setToolTip(QStringLiteral("回车键为快捷键"));
    Command6->setDefault(true);

    Label3 = widgets::placed(new QLabel(QStringLiteral("建议："), this), "Label3",
                             {180, 4560, 660, 300});
    Label4 = widgets::placed(new QLabel(this), "Label4", {840, 4470, 5820, 450});
    Label4->setFont(phonetic);
    Label4->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Command8 = widgets::placed(new QPushButton(QStringLiteral("采用"), this), "Command8",
                               {6780, 4470, 675, 450});
    Command8->setToolTip(QStringLiteral("Ctrl+回车键为快捷键"));
    Command8->setAutoDefault(false);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &Frm1::onAdoptClicked);
    }

    connect(Command1, &QButtonGroup::idClicked, this, &Frm1::onCommand1Clicked);
    connect(Command7, &QPushButton::clicked, this, &Frm1::onMoreClicked);
    connect(Command6, &QPushButton::clicked, this, &Frm1::onConfirmClicked);
    connect(Command8, &QPushButton::clicked, this, &Frm1::onAdoptClicked);

    if (frm3_ != nullptr) {
        connect(frm3_->entryBox(), &QLineEdit::textChanged, this, &Frm1::onFrm3EntryChanged);
        // Without its window the dialog has nowhere to write: it goes with it.
        connect(frm3_, &Frm3::closing, this, &QWidget::close);
        connect(frm3_, &QObject::destroyed, this, &QObject::deleteLater);
    }
}

void Frm1::showEntry() {
    if (frm3_ == nullptr) {
        return;
    }
    showSuggestion();
    show();
    raise();
    activateWindow();
    Text1->setFocus();
}

void Frm1::reject() {
    Text1->clear();
    QDialog::reject();
}

void Frm1::onCommand1Clicked(int index) {
    Text1->insert(keyboard::insertedText(index));
    Text1->setFocus();
}

void Frm1::onMoreClicked() {
    keyboard::Frm21 palette(Text1);
    palette.exec();
}

void Frm1::onFrm3EntryChanged() {
    // The suggestion follows the word that a confirmation would log: whatever Frm3's entry box
    // holds. A hidden dialog waits until it is shown.
    if (isVisible()) {
        showSuggestion();
    }
}

void Frm1::showSuggestion() {
    // The first suggestion loads the service; without it the row stays empty.
    const QString codes = suggestion_ != nullptr && frm3_ != nullptr
                              ? suggestion_->suggest(frm3_->entryBox()->text())
                              : QString();
    Label4->setText(codes);
    for (QWidget* widget : std::initializer_list<QWidget*>{Label3, Label4, Command8}) {
        widget->setVisible(!codes.isEmpty());
    }
    setFixedSize(widgets::pixels(kClientWidth),
                 widgets::pixels(codes.isEmpty() ? kClientHeight : kClientHeightWithSuggestion));
}

void Frm1::onAdoptClicked() {
    if (Label4->text().isEmpty()) {
        return;  // no suggestion to take
    }
    Text1->setText(Label4->text());
    Text1->setFocus();
}

void Frm1::onConfirmClicked() {
    hide();
    if (frm3_ == nullptr) {
        return;
    }
    QLineEdit* entry = frm3_->entryBox();
    const QString word = entry->text().toLower();
    const QString transcription = Text1->text();
    core::MissLog(services_.folder.writableFile(core::MissLog::fileName()))
        .appendEntry(word, transcription);

    frm3_->documentBox()->insert(core::manualEntryLine(word, transcription));

    entry->clear();
    Text1->clear();
    frm3_->activateWindow();
    entry->setFocus();
}

void attachManualEntry(Frm3& frm3, platform::Services& services,
                       std::shared_ptr<core::Suggestion> suggestion) {
    // One dialog per window, made at the first Yes and again after it was closed.
    auto dialog = std::make_shared<QPointer<Frm1>>();
    Frm3* window = &frm3;
    frm3.setManualEntryOpener([window, &services, dialog, suggestion] {
        if (*dialog == nullptr) {
            *dialog = new Frm1(services, window, suggestion);
            (*dialog)->setAttribute(Qt::WA_DeleteOnClose);
        }
        (*dialog)->showEntry();
    });
}

}  // namespace smart
