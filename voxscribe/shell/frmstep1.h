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
#include <utility>
#include <vector>

#include "workingwindows.h"

class QFrame;
class QLabel;

namespace platform {
struct Services;
}
namespace core {
class LookupClient;
class Speech;
}  // namespace core
namespace output {
class DocumentBox;
class RecoveryStore;
}  // namespace output
class QTextDocument;
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
    // Makes a working window with the launcher as its owner.
    using WindowFactory = std::function<QWidget*(QWidget* owner)>;

    // Runs the phonetic font check before it returns, so that the warning comes before the
    // launcher is shown. recoveryFolder: where copies of unsaved documents are kept; the user's
    // state folder when empty.
    Frmstep1(platform::Services& services, core::LookupClient& lookup,
             const QString& recoveryFolder = QString(), QWidget* parent = nullptr);
    ~Frmstep1() override;

    static QString caption() { return QStringLiteral("Voxscribe V 3.0"); }
    static QString description(core::WorkingWindow window);
    static QString exitQuestion() { return QStringLiteral("您确定要退出吗?"); }
    static QString recoveryQuestion() { return QStringLiteral("发现上次未保存的文档，是否恢复？"); }

    // Seams for tests and for windows built elsewhere: what makes each working window, and how
    // the program ends.
    void setWindowFactory(core::WorkingWindow window, WindowFactory factory);
    void setProgramEnd(std::function<void()> end);

    // The working window when it is open; nullptr when it is not.
    QWidget* workingWindow(core::WorkingWindow window) const;
    // Opens the working window, or shows it when it is open already; returns when a modal one
    // closes.
    void openWorkingWindow(core::WorkingWindow window);

    // Keeps a copy of every open document that changed since its last save; the recovery timer
    // does this once a minute, the exit sequence before the program ends. Returns the windows
    // whose copy could not be written, each with why.
    struct Unkept {
        core::WorkingWindow window;
        QString error;
    };
    std::vector<Unkept> keepUnsavedDocuments();
    static QString unkeptQuestion(const std::vector<Unkept>& unkept);
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

private:
    struct Slot {
        WindowFactory make;
        QPointer<QWidget> window;
    };

    void onModeClicked(core::WorkingWindow window);
    void onHelpClicked();

    void buildControls();
    void placeControls();
    void checkPhoneticFont();
    void centreOnScreen();
    void onModeHovered(core::WorkingWindow window);
    void onBackgroundHovered();
    void keepFrameCentred();
    Slot& slot(core::WorkingWindow window);
    // The working window, made when it is not open; nullptr when it cannot be made.
    QWidget* ensureWorkingWindow(core::WorkingWindow window);
    void presentWorkingWindow(core::WorkingWindow window);
    void watchDocument(core::WorkingWindow window, QWidget* widget);
    static output::DocumentBox* documentOf(const QWidget* window);
    // What a recovery copy of the window keeps: its document, or the passage of the text
    // window, from which the result follows.
    static QTextDocument* keptDocumentOf(QWidget* window);
    // And what the window needs besides to show it as it was: the text window's options.
    static QByteArray keptStateOf(QWidget* window);
    // At exit, for documents of which no copy could be kept: true when the program may end.
    bool confirmExitWithoutCopies(const std::vector<Unkept>& unkept);

    platform::Services& services_;
    core::LookupClient& lookup_;
    std::array<Slot, 4> windows_;
    std::function<void()> endProgram_;
    std::unique_ptr<output::RecoveryStore> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    // Per window: the document revision and the state last kept.
    QHash<QString, std::pair<int, QByteArray>> kept_;
    bool recoveryOffered_ = false;
    // One voice for every window: what one window says, the next cuts short.
    std::shared_ptr<core::Speech> speech_;

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
