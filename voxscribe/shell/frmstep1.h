// The launcher: the first window of the program and the only way into the three working windows.
// It checks for the phonetic font, describes each mode while the mouse is over it, and ends the
// whole program when it is closed.
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QFrame;
class QLabel;

namespace platform {
struct Services;
}
namespace core {
class LookupClient;
}
namespace output {
class DocumentBox;
class RecoveryStore;
}  // namespace output
class QTimer;

namespace widgets {
class ClickableLabel;
class TitleStrip;
class WindowChrome;
}  // namespace widgets

namespace shell {

class Frmstep1 : public QWidget {
    Q_OBJECT
public:
    enum class Mode { ManualInput /*Form1*/, SmartAnnotation /*Frm3*/, Batch /*Frm4*/ };
    // Makes a working window with the launcher as its owner.
    using WindowFactory = std::function<QWidget*(QWidget* owner)>;

    // Runs the phonetic font check before it returns, so that the warning comes before the
    // launcher is shown. recoveryFolder: where copies of unsaved documents are kept; the user's
    // state folder when empty.
    Frmstep1(platform::Services& services, core::LookupClient& lookup,
             const QString& recoveryFolder = QString(), QWidget* parent = nullptr);
    ~Frmstep1() override;

    static QString caption() { return QStringLiteral("Voxscribe V 3.0"); }
    static QString description(Mode mode);
    static QString exitQuestion() { return QStringLiteral("您确定要退出吗?"); }
    static QString recoveryQuestion() { return QStringLiteral("发现上次未保存的文档，是否恢复？"); }

    // Seams for tests and for windows built elsewhere: what makes each working window, how a
    // window is shown modally (waits until it is closed), and how the program ends.
    void setWindowFactory(Mode mode, WindowFactory factory);
    void setModalRunner(std::function<void(QWidget*)> runner);
    void setProgramEnd(std::function<void()> end);

    // The open working window of the mode; nullptr when none is open.
    QWidget* workingWindow(Mode mode) const;
    // Opens the mode's window, or shows the one already open; returns when a modal one closes.
    void openWorkingWindow(Mode mode);

    // Keeps a copy of every open document that changed since its last save; the recovery timer
    // does this once a minute, the exit sequence before the program ends.
    void keepUnsavedDocuments();
    // Offers the copies an earlier run left: once, at the first showing of the launcher.
    void offerRecovery();
    const output::RecoveryStore& recoveryStore() const { return *recovery_; }

    // Shows a dialog modally; returns once it is closed. Any other window is only shown.
    static void runModal(QWidget* window);
    // Ends the program at once: every window goes without its own close steps.
    static void endProgramNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private Q_SLOTS:
    void onManualInputClicked();
    void onSmartAnnotationClicked();
    void onBatchClicked();
    void onHelpClicked();

private:
    struct WorkingWindow {
        WindowFactory make;
        QPointer<QWidget> window;
    };

    void buildControls();
    void placeControls();
    void checkPhoneticFont();
    void centreOnScreen();
    void onModeHovered(Mode mode);
    void onBackgroundHovered();
    void keepFrameCentred();
    WorkingWindow& slot(Mode mode);
    // The mode's window, made when none is open; nullptr when it cannot be made.
    QWidget* ensureWorkingWindow(Mode mode);
    void presentWorkingWindow(Mode mode);
    void watchDocument(Mode mode, QWidget* window);
    static output::DocumentBox* documentOf(const QWidget* window);

    platform::Services& services_;
    core::LookupClient& lookup_;
    std::array<WorkingWindow, 3> windows_;
    std::function<void(QWidget*)> runModal_;
    std::function<void()> endProgram_;
    std::unique_ptr<output::RecoveryStore> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    QHash<QString, int> keptRevisions_;  // per window: the document revision last kept
    bool recoveryOffered_ = false;

    widgets::TitleStrip* Image1 = nullptr;
    QFrame* Frame1 = nullptr;
    widgets::ClickableLabel* Label2 = nullptr;
    widgets::ClickableLabel* Label3 = nullptr;
    widgets::ClickableLabel* Label4 = nullptr;
    widgets::ClickableLabel* Label7 = nullptr;
    QLabel* Label5 = nullptr;
    widgets::WindowChrome* chrome_ = nullptr;
    bool centred_ = false;
};

}  // namespace shell
