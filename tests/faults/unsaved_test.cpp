// Closing a working window never throws away what the user typed without asking.
#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "faults.h"
#include "windows.h"

namespace {

using faults::Kind;
using faults::WorkingWindow;
using platform::Answer;

class ClosingAWindow : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.box && close);
        if (auto* text = qobject_cast<text::Frm5*>(window.widget())) {
            // The text window's document is the result of its passage.
            text->sourceDocument()->setPlainText(QStringLiteral("Quality"));
            ASSERT_TRUE(QTest::qWaitFor([text] { return text->resultIsCurrent(); }));
        } else {
            faults::appendAnnotated(*window.box, QStringLiteral("Quality"),
                                    QStringLiteral("5kwRliti"));
        }
        typed = faults::stateOf(*window.box);
        env.messages.shown.clear();  // Form1's warning about a font the test machine lacks
    }

    // The close label of the title strip, as the user closes the window.
    bool clickClose() {
        QTest::mouseClick(close, Qt::LeftButton);
        return !window.widget()->isVisible();
    }

    testing_support::TestEnvironment env;
    core::LookupClient client{env.services};
    WorkingWindow window{GetParam(), env.services, client};
    QLabel* close = window.find<QLabel>(GetParam() == Kind::ManualInput ? "Lblcls" : "lblclose");
    faults::DocumentState typed;
};

TEST_P(ClosingAWindow, AsksAboutUnsavedChangesAndCancelKeepsTheWindow) {
    env.messages.answer(Answer::Cancel);
    EXPECT_FALSE(clickClose());
    ASSERT_EQ(env.messages.shown.size(), 1u);
    const testing_support::ShownMessage& question = env.messages.shown[0];
    EXPECT_EQ(question.text, "是否保存对文档的修改？");
    EXPECT_EQ(question.icon, platform::Icon::Question);
    EXPECT_EQ(question.buttons, platform::Buttons::SaveDiscardCancel);
    EXPECT_EQ(question.defaultButton, Answer::Save);
    EXPECT_EQ(faults::stateOf(*window.box), typed);

    env.messages.answer(Answer::Discard);
    EXPECT_TRUE(clickClose());
    EXPECT_EQ(env.messages.shown.size(), 2u);
}

TEST_P(ClosingAWindow, SaveGoesThroughTheSaveAndACancelledDialogCancelsTheClose) {
    env.messages.answer(Answer::Save);
    EXPECT_FALSE(clickClose());  // no file chosen
    ASSERT_EQ(env.files.requests.size(), 1u);
    EXPECT_TRUE(env.files.requests[0].save);
    EXPECT_EQ(faults::stateOf(*window.box), typed);

    const QString path = env.file(QStringLiteral("kept.doc"));
    env.messages.answer(Answer::Save);
    env.files.answer(path);
    EXPECT_TRUE(clickClose());
    EXPECT_TRUE(faults::readBytes(path).contains("5kwRliti"));
}

TEST_P(ClosingAWindow, ASavedDocumentClosesWithoutAQuestion) {
    env.files.answer(env.file(QStringLiteral("saved.rtf")));
    window.clickSave();
    const std::size_t shown = env.messages.shown.size();  // the confirmation
    EXPECT_TRUE(clickClose());
    EXPECT_EQ(env.messages.shown.size(), shown);
}

INSTANTIATE_TEST_SUITE_P(Windows, ClosingAWindow,
                         ::testing::Values(Kind::ManualInput, Kind::SmartAnnotation, Kind::Batch,
                                           Kind::Text),
                         [](const auto& info) { return std::string(faults::nameOf(info.param)); });

// The real question names its buttons as the program does, 保存 first and the default.
TEST(UnsavedChangesQuestion, TheRealBoxOffersSaveDiscardAndCancel) {
    QStringList captions;
    QString defaultCaption;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                for (QAbstractButton* button : box->buttons()) {
                    captions << button->text();
                }
                defaultCaption = box->defaultButton()->text();
                box->button(QMessageBox::Discard)->click();
            }
        }
    });
    platform::QtMessageBoxes boxes;
    EXPECT_EQ(
        boxes.show(nullptr, QStringLiteral("是否保存对文档的修改？"), platform::Icon::Question,
                   platform::Buttons::SaveDiscardCancel, Answer::Save),
        Answer::Discard);
    captions.sort();
    EXPECT_EQ(captions, QStringList({"不保存", "保存", "取消"}));
    EXPECT_EQ(defaultCaption, "保存");
}

}  // namespace
