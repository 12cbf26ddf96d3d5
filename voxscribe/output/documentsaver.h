// Saving a working window's document: the save dialog, the overwrite question, the file label and
// the one-minute autosave; and the transfer of a document to the word processor.
#pragma once

#include <QObject>
#include <QString>

#include "programfolder.h"
#include "services.h"
#include "workingwindows.h"

class QLabel;
class QTimer;
class QWidget;

namespace output {

class DocumentBox;

// The save dialog's filter of the window, in the "description|pattern|" form.
QString saveFilter(widgets::WorkingWindow kind);
// What the window says after a completed save to path.
QString confirmationText(widgets::WorkingWindow kind, const QString& path);
// The question asked before an existing file is replaced.
QString overwriteQuestion();
// The question asked when a window whose document changed since its last save is closed.
QString unsavedChangesQuestion();
// The title of the save dialog.
QString saveDialogTitle();

class DocumentSaver : public QObject {
    Q_OBJECT
public:
    // fileLabel: the window's lblfile; nullptr for the batch window.
    DocumentSaver(widgets::WorkingWindow kind, platform::Services& services, DocumentBox* document,
                  QWidget* window, QLabel* fileLabel, QObject* parent = nullptr);

    // The whole save operation: dialog, overwrite question, write, file label, timer,
    // confirmation. True once the document is written; false when the user cancelled or the
    // write failed.
    bool save();
    // Before the window closes: true when it may, having asked about a document that changed
    // since its last save, and saved it if the user wanted to.
    bool confirmClose();
    // What Timer1 does once a minute after the first completed save: writes the current file.
    // A document shown only in part waits a second; a failed write waits for the next minute.
    void autosave();

    // Timer1: one minute, stopped until the first completed save (never started for the batch
    // window).
    QTimer* timer() const { return timer_; }
    // The file of the last completed save; empty before.
    QString currentFile() const { return currentFile_; }

private:
    bool hasAutosave() const;

    widgets::WorkingWindow kind_;
    platform::Services& services_;
    DocumentBox* document_;
    QWidget* window_;
    QLabel* fileLabel_;
    QTimer* timer_;
    QString currentFile_;
};

// "转入Word": writes the document as RTF to "tmp" + a number below 100000 + ".doc" in the
// writable program folder and opens it with its application. Failures are not reported.
void transferToWord(platform::Services& services, const DocumentBox& document, QWidget* window);
// The path transferToWord uses for a number.
QString transferFilePath(const platform::ProgramFolder& folder, int number);
// Deletes every tmp*.doc of the writable program folder; files that cannot go stay.
void removeTransferFiles(const platform::ProgramFolder& folder);

}  // namespace output
