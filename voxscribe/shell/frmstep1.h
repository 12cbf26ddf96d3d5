// The launcher: the first window of the program and the only way into the working windows. It
// checks for the phonetic font, describes each mode while the mouse is over it, opens and lists
// the windows, and ends the whole program when it is closed.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "workingwindowlist.h"
#include "workingwindows.h"

class QFrame;
class QLabel;

namespace platform {
struct Services;
}
namespace core {
class LookupClient;
}  // namespace core
namespace output {
class RecoveryCopies;
}  // namespace output

namespace widgets {
class ClickableLabel;
class TitleStrip;
class WindowChrome;
}  // namespace widgets

namespace shell {

class Frmstep1 : public QWidget {
    Q_OBJECT
public:
    using WindowFactory = shell::WindowFactory;

    // Runs the phonetic font check before it returns, so that the warning comes before the
    // launcher is shown. recoveryFolder: where copies of unsaved documents are kept; the user's
    // state folder when empty.
    Frmstep1(platform::Services& services, core::LookupClient& lookup,
             const QString& recoveryFolder = QString(), QWidget* parent = nullptr);
    ~Frmstep1() override;

    static QString caption() { return QStringLiteral("Voxscribe V 3.0"); }
    static QString description(widgets::WorkingWindow window);
    static QString exitQuestion() { return QStringLiteral("您确定要退出吗?"); }

    // Seams for tests and for windows built elsewhere: what makes each working window, and how
    // the program ends.
    void setWindowFactory(widgets::WorkingWindow window, WindowFactory factory);
    void setProgramEnd(std::function<void()> end);

    // The working window when it is open; nullptr when it is not.
    QWidget* workingWindow(widgets::WorkingWindow window) const;
    // Opens the working window, or shows it when it is open already; returns when a modal one
    // closes.
    void openWorkingWindow(widgets::WorkingWindow window);

    // The copies of the open windows' unsaved documents, and the offer of those an earlier run
    // left: once, at the first showing of the launcher.
    output::RecoveryCopies& recovery() { return *recovery_; }
    void offerRecovery();

    // Ends the program at once: every window goes without its own close steps.
    static void endProgramNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void onModeClicked(widgets::WorkingWindow window);
    void onHelpClicked();

    void buildControls();
    void placeControls();
    void checkPhoneticFont();
    void centreOnScreen();
    void onModeHovered(widgets::WorkingWindow window);
    void onBackgroundHovered();
    void keepFrameCentred();

    platform::Services& services_;
    std::function<void()> endProgram_;
    output::RecoveryCopies* recovery_;
    std::unique_ptr<WorkingWindowList> windows_;
    bool recoveryOffered_ = false;

    widgets::TitleStrip* titleStrip_ = nullptr;  // Image1
    QFrame* modesFrame_ = nullptr;               // Frame1
    // Label2, Label3, Label4 and Label6: one for each working window, in the list's order.
    std::array<widgets::ClickableLabel*, 4> modeLabels_{};
    widgets::ClickableLabel* helpLabel_ = nullptr;  // Label7
    QLabel* description_ = nullptr;                 // Label5
    widgets::WindowChrome* chrome_ = nullptr;
    bool centred_ = false;
};

}  // namespace shell
