#include "workingdocument.h"

#include <QLabel>
#include <QTimer>

#include "clickablelabel.h"
#include "documentbox.h"

namespace output {

WorkingDocument::WorkingDocument(widgets::WorkingWindow kind, platform::Services& services,
                                 QWidget* window, const QString& saveName,
                                 const QString& saveCaption)
    : QObject(window),
      services_(services),
      window_(window),
      box_(new DocumentBox(window)),
      saveLabel_(new widgets::ClickableLabel(saveCaption, window)),
      transferLabel_(new widgets::ClickableLabel(QStringLiteral("转入Word"), window)),
      fileLabel_(new QLabel(window)) {
    box_->setObjectName(QStringLiteral("Rich1"));
    // The user never types into the document; the program inserts into it locked.
    box_->setLocked(true);
    saveLabel_->setObjectName(saveName);
    transferLabel_->setObjectName(QStringLiteral("Label13"));
    fileLabel_->setObjectName(QStringLiteral("lblfile"));
    for (widgets::ClickableLabel* label : {saveLabel_, transferLabel_}) {
        label->setCursor(Qt::PointingHandCursor);
    }
    saver_ = new DocumentSaver(kind, services_, box_, window_, fileLabel_, this);
    saver_->timer()->setObjectName(QStringLiteral("Timer1"));
    connect(saveLabel_, &widgets::ClickableLabel::clicked, this, &WorkingDocument::onSaveClicked);
    connect(transferLabel_, &widgets::ClickableLabel::clicked, this,
            &WorkingDocument::onTransferClicked);
}

void WorkingDocument::onSaveClicked() {
    saver_->save();
}

void WorkingDocument::onTransferClicked() {
    transferToWord(services_, *box_, window_);
}

}  // namespace output
