#include <gtest/gtest.h>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "children.h"
#include "files.h"
#include "fontfolder.h"
#include "frmstep1.h"
#include "layoutcheck.h"
#include "lookupclient.h"
#include "qtprinters.h"
#include "testenv.h"

namespace {

using Mode = widgets::WorkingWindow;
using testing_support::TestEnvironment;
using testing_support::touch;

// A working window that counts how often its own close steps ran.
template <typename Base>
class StandIn : public Base {
public:
    StandIn(QWidget* owner, int* closeEvents) : Base(owner), closeEvents_(closeEvents) {
        this->setWindowFlag(Qt::Window);
        this->resize(300, 200);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        ++*closeEvents_;
        Base::closeEvent(event);
    }

private:
    int* closeEvents_;
};

// A launcher over a temporary program folder, with the font installed and stand-in windows.
class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        launcher = std::make_unique<shell::Frmstep1>(env.services, lookup);
        launcher->setWindowFactory(Mode::ManualInput, [this](QWidget* owner) {
            ++made[0];
            manualInput = new StandIn<QDialog>(owner, &closeEvents[0]);
            return manualInput.data();
        });
        launcher->setWindowFactory(Mode::SmartAnnotation, [this](QWidget* owner) {
            ++made[1];
            smartAnnotation = new StandIn<QWidget>(owner, &closeEvents[1]);
            return smartAnnotation.data();
        });
        launcher->setWindowFactory(Mode::Batch, [this](QWidget* owner) {
            ++made[2];
            batch = new StandIn<QDialog>(owner, &closeEvents[2]);
            return batch.data();
        });
        launcher->setProgramEnd([this] { ++programEnds; });
        launcher->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(launcher.get()));
    }

    template <typename T = QLabel>
    T* child(const char* name) {
        return testing_support::childOf<T>(*launcher, QString::fromLatin1(name));
    }
    QString description() { return child("Label5")->text(); }
    // A click that goes through the window system, which is where a modal window blocks others.
    void clickThroughWindow(const char* name) {
        QLabel* label = child(name);
        QTest::mouseClick(launcher->windowHandle(), Qt::LeftButton, {},
                          label->mapTo(launcher.get(), label->rect().center()));
    }

    // Closes the modal window that is open once the launcher waits for it.
    void closeModalSoon(bool* closed) {
        QTimer::singleShot(0, [closed] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            modal->close();
            *closed = true;
        });
    }

    testing_support::FontFolder fonts{true};
    TestEnvironment env;
    core::LookupClient lookup{env.services};
    std::unique_ptr<shell::Frmstep1> launcher;
    int made[3] = {0, 0, 0};
    int closeEvents[3] = {0, 0, 0};
    int programEnds = 0;
    QPointer<StandIn<QDialog>> manualInput;
    QPointer<StandIn<QWidget>> smartAnnotation;
    QPointer<StandIn<QDialog>> batch;
};

const QString kManualText = QStringLiteral(
    "    手动输入单词，手动输入音标。此项适合当您要求输入一些特殊而且可能并不常见的单词的音标时选"
    "用。此项同样具有音标与单词混合输入的功能、自动保存功能。");
const QString kSmartText = QStringLiteral(
    "    输入单词软件自动标注音标。此项适合绝大多数人。托福、大学英语六级以内等所见的10000单词，都"
    "可自动标注。同时具有音标与单词混合输入的功能、自动保存功能。");
const QString kBatchText = QStringLiteral(
    "    选择一个已经保存了要批量标注音标的单词的文件，软件将自动为您标注音标。此项适合出版社、杂志"
    "社等用户，需要大量标注单词的场合。");

TEST_F(LauncherTest, OpensCentredWithItsCaptionAndModes) {
    EXPECT_EQ(launcher->windowTitle(), QStringLiteral("Voxscribe V 3.0"));
    EXPECT_EQ(child("Label2")->text(), QStringLiteral("手动输入"));
    EXPECT_EQ(child("Label3")->text(), QStringLiteral("智能标注"));
    EXPECT_EQ(child("Label4")->text(), QStringLiteral("批量标注"));
    EXPECT_EQ(child("Label6")->text(), QStringLiteral("文章标注"));
    EXPECT_EQ(child("Label7")->text(), QStringLiteral("帮助"));
    EXPECT_EQ(description(), QString());
    EXPECT_TRUE(env.messages.shown.empty());  // the font is installed

    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((launcher->frameGeometry().center() - screenCentre).manhattanLength(), 1);
    QFrame* frame = child<QFrame>("Frame1");
    EXPECT_EQ(frame->x(), (launcher->width() - frame->width()) / 2);
}

TEST_F(LauncherTest, DescriptionFollowsTheMouseOverTheModes) {
    QTest::mouseMove(child("Label2"));
    EXPECT_EQ(description(), kManualText);
    QTest::mouseMove(child("Label3"));
    EXPECT_EQ(description(), kSmartText);
    QTest::mouseMove(child("Label5"), QPoint(30, 30));  // resting on the text keeps it
    EXPECT_EQ(description(), kSmartText);

    QFrame* frame = child<QFrame>("Frame1");
    QTest::mouseMove(frame, QPoint(5, frame->height() - 5));
    EXPECT_EQ(description(), QString());

    QTest::mouseMove(child("Label4"));
    EXPECT_EQ(description(), kBatchText);
    QTest::mouseMove(child("Label6"));
    EXPECT_TRUE(description().startsWith(QStringLiteral("    粘贴或打开一篇英语文章")));
    QTest::mouseMove(launcher.get(), QPoint(3, launcher->height() - 3));  // the background
    EXPECT_EQ(description(), QString());

    QTest::mouseMove(child("Label2"));
    ASSERT_EQ(description(), kManualText);
    QTest::mouseMove(child<QWidget>("Image1"), QPoint(200, 10));
    EXPECT_EQ(description(), QString());
}

TEST_F(LauncherTest, FrameStaysCentredUnlessTheWindowIsNarrower) {
    QFrame* frame = child<QFrame>("Frame1");
    launcher->resize(800, 400);
    EXPECT_EQ(frame->x(), (800 - frame->width()) / 2);
    const int left = frame->x();
    launcher->resize(frame->width() - 40, 400);
    EXPECT_EQ(frame->x(), left);
    launcher->resize(frame->width(), 400);
    EXPECT_EQ(frame->x(), 0);
}

TEST_F(LauncherTest, HelpOpensThePageOfTheProgramFolder) {
    QTest::mouseClick(child("Label7"), Qt::LeftButton);
    EXPECT_EQ(env.shell.opened, QStringList{env.dir.path() + QStringLiteral("/help.htm")});
}

TEST_F(LauncherTest, ManualInputIsModalAndTheLauncherWaits) {
    bool closed = false;
    QTimer::singleShot(0, [&] {
        // While the window is open the launcher cannot open another mode.
        clickThroughWindow("Label3");
        EXPECT_EQ(made[1], 0);
        EXPECT_EQ(QApplication::activeModalWidget(), manualInput.data());
    });
    closeModalSoon(&closed);
    QTest::mouseClick(child("Label2"), Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_EQ(made[0], 1);
    EXPECT_EQ(closeEvents[0], 1);

    // A closed window leaves nothing behind: the next opening makes a new one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(manualInput, nullptr);
    EXPECT_EQ(launcher->workingWindow(Mode::ManualInput), nullptr);
    closeModalSoon(&closed);
    QTest::mouseClick(child("Label2"), Qt::LeftButton);
    EXPECT_EQ(made[0], 2);
}

TEST_F(LauncherTest, BatchIsModalEvenAsAPlainWindow) {
    bool closed = false;
    QTimer::singleShot(0, [&] { EXPECT_TRUE(batch->isVisible()); });
    closeModalSoon(&closed);
    QTest::mouseClick(child("Label4"), Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_EQ(made[2], 1);
}

TEST_F(LauncherTest, SmartAnnotationIsModelessAndASingleInstance) {
    clickThroughWindow("Label3");
    ASSERT_NE(smartAnnotation, nullptr);
    EXPECT_TRUE(smartAnnotation->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    smartAnnotation->showMinimized();
    QTest::mouseClick(child("Label3"), Qt::LeftButton);
    EXPECT_EQ(made[1], 1);
    EXPECT_FALSE(smartAnnotation->isMinimized());
    EXPECT_EQ(launcher->workingWindow(Mode::SmartAnnotation), smartAnnotation.data());

    // The launcher can open the other modes meanwhile.
    bool closed = false;
    closeModalSoon(&closed);
    QTest::mouseClick(child("Label4"), Qt::LeftButton);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(smartAnnotation->isVisible());

    smartAnnotation->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(launcher->workingWindow(Mode::SmartAnnotation), nullptr);
    EXPECT_EQ(programEnds, 0);  // closing a working window never ends the program
    QTest::mouseClick(child("Label3"), Qt::LeftButton);
    EXPECT_EQ(made[1], 2);
}

// The transfer files stay while a word processor may hold them, and go at the next start.
TEST_F(LauncherTest, CancellingTheExitKeepsEverythingAndTheNextStartRemovesTheTransferFiles) {
    for (const char* name : {"tmp123.doc", "tmp9.doc", "tmp.doc", "report.doc", "tmp5.rtf"}) {
        ASSERT_TRUE(touch(env.file(QString::fromLatin1(name))));
    }
    QTest::mouseClick(child("Label3"), Qt::LeftButton);
    env.messages.answer(platform::Answer::Cancel);

    EXPECT_FALSE(launcher->close());
    ASSERT_EQ(env.messages.shown.size(), 1u);
    const testing_support::ShownMessage& question = env.messages.shown.front();
    EXPECT_EQ(question.text, QStringLiteral("您确定要退出吗?"));
    EXPECT_EQ(question.icon, platform::Icon::Question);
    EXPECT_EQ(question.buttons, platform::Buttons::OkCancel);
    EXPECT_EQ(question.defaultButton, platform::Answer::Cancel);

    EXPECT_TRUE(QFile::exists(env.file("tmp123.doc")));
    EXPECT_TRUE(launcher->isVisible());
    EXPECT_TRUE(smartAnnotation->isVisible());
    EXPECT_EQ(programEnds, 0);

    const shell::Frmstep1 next(env.services, lookup);
    EXPECT_FALSE(QFile::exists(env.file("tmp123.doc")));
    EXPECT_FALSE(QFile::exists(env.file("tmp9.doc")));
    EXPECT_FALSE(QFile::exists(env.file("tmp.doc")));
    EXPECT_TRUE(QFile::exists(env.file("report.doc")));
    EXPECT_TRUE(QFile::exists(env.file("tmp5.rtf")));
}

TEST_F(LauncherTest, ConfirmingTheExitEndsTheProgramWithoutTheWindowsOwnCloseSteps) {
    ASSERT_TRUE(touch(env.file("tmp77.doc")));
    QTest::mouseClick(child("Label3"), Qt::LeftButton);
    env.messages.answer(platform::Answer::Ok);
    EXPECT_TRUE(launcher->close());
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(closeEvents[1], 0);
    EXPECT_TRUE(QFile::exists(env.file("tmp77.doc")));
}

TEST(LauncherFontCheck, WarnsBeforeShowingWhenTheFontFileIsMissing) {
    const testing_support::FontFolder fonts(false);
    ASSERT_TRUE(touch(fonts.path() + "/Kingsoft.ttf"));  // a font under another name does not count
    TestEnvironment env;
    core::LookupClient lookup(env.services);
    shell::Frmstep1 launcher(env.services, lookup);
    ASSERT_EQ(env.messages.shown.size(), 1u);
    const testing_support::ShownMessage& warning = env.messages.shown.front();
    EXPECT_EQ(warning.text,
              QStringLiteral("程序在系统字体文件夹中没有找到金山公司的Kphonet.ttf音标字体!"
                             "本程序需要这个文件,以显示音标。\n"
                             "您可从金山公司网站下载，也可在本程序所在的文件夹下找到它:") +
                  env.dir.path() + QStringLiteral("/Ksphonet.ttf\n") +
                  QStringLiteral("请把它复制到系统字体目录下后重启本程序，以免显示不正常！:\n") +
                  fonts.path() + QStringLiteral("/"));
    EXPECT_EQ(warning.icon, platform::Icon::Critical);
    EXPECT_EQ(warning.buttons, platform::Buttons::Ok);
    EXPECT_FALSE(launcher.isVisible());

    // Start-up goes on.
    launcher.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&launcher));
    env.messages.answer(platform::Answer::Cancel);
    launcher.close();
}

// The launcher over a temporary program folder with the real working windows.
class LauncherWiringTest : public ::testing::Test {
protected:
    void SetUp() override {
        launcher.setProgramEnd([] {});
        launcher.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&launcher));
    }
    QLabel* label(const char* name) {
        return launcher.findChild<QLabel*>(QString::fromLatin1(name));
    }
    // Opens a modal mode and reports the window that was open while the launcher waited.
    QString openModal(const char* name) {
        QString seen;
        QTimer::singleShot(0, [&seen] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            seen = modal->objectName();
            EXPECT_TRUE(modal->isWindow());
            modal->close();
        });
        QTest::mouseClick(label(name), Qt::LeftButton);
        return seen;
    }

    testing_support::FontFolder fonts{true};
    TestEnvironment env;
    core::LookupClient lookup{env.services};
    shell::Frmstep1 launcher{env.services, lookup};
};

TEST_F(LauncherWiringTest, OpensTheRealWorkingWindows) {
    QTest::mouseClick(label("Label3"), Qt::LeftButton);
    QWidget* window = launcher.workingWindow(Mode::SmartAnnotation);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->objectName(), QStringLiteral("Frm3"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());

    EXPECT_EQ(openModal("Label2"), QStringLiteral("Form1"));
    EXPECT_EQ(openModal("Label4"), QStringLiteral("Frm4"));
    EXPECT_EQ(launcher.workingWindow(Mode::SmartAnnotation), window);

    // The text-annotation window stands beside the launcher like the smart-annotation window.
    QTest::mouseClick(label("Label6"), Qt::LeftButton);
    QWidget* text = launcher.workingWindow(Mode::Text);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->objectName(), QStringLiteral("Frm5"));
    EXPECT_TRUE(text->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(LauncherWiringTest, TheSmartAnnotationWindowGoesWithTheLauncher) {
    QPointer<QWidget> window;
    {
        shell::Frmstep1 second(env.services, lookup);
        second.show();
        QTest::mouseClick(second.findChild<QLabel*>(QStringLiteral("Label3")), Qt::LeftButton);
        window = second.workingWindow(Mode::SmartAnnotation);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(window, nullptr);
}

// A reviewer's picture of the launcher with a description shown, under the offscreen platform, in
// which no control covers another and every caption fits; VOXSCRIBE_SNAPSHOT_DIR names the folder
// it goes to.
TEST_F(LauncherWiringTest, RendersASnapshot) {
    QTest::mouseMove(&launcher, QPoint(5, 5));  // the cursor may rest on the label already
    QTest::mouseMove(label("Label3"));
    ASSERT_FALSE(label("Label5")->text().isEmpty());
    const QString path = layout_check::snapshotPath("frmstep1.png", env.dir.path());
    ASSERT_TRUE(launcher.grab().toImage().save(path));
    EXPECT_EQ(layout_check::layoutProblems(launcher), std::vector<std::string>{});
}

// OK to the exit question ends the real program: the event loop returns at once, every window
// is gone and no working window ran its own close steps.
TEST(LauncherExitDeathTest, ConfirmingEndsTheEventLoopWithEveryWindowClosed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            bool ended = false;
            {
                const testing_support::FontFolder fonts(true);
                TestEnvironment env;
                core::LookupClient lookup(env.services);
                shell::Frmstep1 launcher(env.services, lookup);
                int closeEvents = 0;
                launcher.setWindowFactory(Mode::SmartAnnotation, [&](QWidget* owner) {
                    return new StandIn<QWidget>(owner, &closeEvents);
                });
                launcher.show();
                QTest::mouseClick(launcher.findChild<QLabel*>(QStringLiteral("Label3")),
                                  Qt::LeftButton);
                env.messages.answer(platform::Answer::Ok);
                QTimer::singleShot(0, &launcher, [&] { launcher.close(); });
                QTimer::singleShot(10000, [] { std::exit(2); });  // the loop did not end
                const int status = QApplication::exec();
                bool anyVisible = false;
                for (QWidget* window : QApplication::topLevelWidgets()) {
                    anyVisible = anyVisible || window->isVisible();
                }
                ended = status == 0 && !anyVisible && closeEvents == 0;
            }
            std::exit(ended ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

TEST_F(LauncherTest, DraggingTheTitleStripMovesTheLauncher) {
    QWidget* strip = child<QWidget>("Image1");
    const QPoint start = launcher->pos();
    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(100, 10));
    QTest::mouseMove(strip, QPoint(140, 30));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(140, 30));
    EXPECT_EQ(launcher->pos(), start + QPoint(40, 20));
}

}  // namespace
