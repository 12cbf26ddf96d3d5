// The document of the manual-input, smart-annotation and text windows with what stands around it:
// the document box Rich1, the save label, the "转入Word" label Label13, the label lblfile that
// shows the current file, and the saver with its one-minute autosave Timer1. A click on the save
// label saves, one on Label13 hands the document to the word processor. The window places the
// controls.
#pragma once

#include <QObject>
#include <QString>

#include "documentsaver.h"

class QLabel;
class QWidget;

namespace widgets {
class ClickableLabel;
}

namespace output {

class DocumentBox;

class WorkingDocument : public QObject {
    Q_OBJECT
public:
    // saveName and saveCaption: the save label's name and caption in this window.
    WorkingDocument(widgets::WorkingWindow kind, platform::Services& services, QWidget* window,
                    const QString& saveName, const QString& saveCaption);

    DocumentBox* box() const { return box_; }
    widgets::ClickableLabel* saveLabel() const { return saveLabel_; }
    widgets::ClickableLabel* transferLabel() const { return transferLabel_; }
    QLabel* fileLabel() const { return fileLabel_; }
    DocumentSaver* saver() const { return saver_; }
    // Before the window closes: asks about unsaved changes; false when the window must stay.
    bool confirmClose() { return saver_->confirmClose(); }

private:
    void onSaveClicked();
    void onTransferClicked();

    platform::Services& services_;
    QWidget* window_;
    DocumentBox* box_;
    widgets::ClickableLabel* saveLabel_;
    widgets::ClickableLabel* transferLabel_;
    QLabel* fileLabel_;
    DocumentSaver* saver_;
};

}  // namespace output
