#include "workingwindowinterface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QJsonValue>
#include <QSignalBlocker>
#include <QTextDocument>

#include "documentbox.h"
#include "documentsaver.h"

namespace output {

bool WorkingWindowInterface::hasUnsavedChanges() {
    return documentBox()->document()->isModified();
}

bool WorkingWindowInterface::confirmClose() {
    return documentSaver()->confirmClose();
}

bool WorkingWindowInterface::save() {
    return documentSaver()->save();
}

QTextDocument& WorkingWindowInterface::keptDocument() {
    return *documentBox()->document();
}

WorkingWindowInterface* workingWindowOf(QWidget* widget) {
    return dynamic_cast<WorkingWindowInterface*>(widget);
}

QJsonObject controlSettings(const QWidget& window) {
    QJsonObject settings;
    for (const QCheckBox* box : window.findChildren<QCheckBox*>()) {
        settings.insert(box->objectName(), box->isChecked());
    }
    for (const QComboBox* choice : window.findChildren<QComboBox*>()) {
        settings.insert(choice->objectName(), QJsonValue::fromVariant(choice->currentData()));
    }
    return settings;
}

void restoreControlSettings(QWidget& window, const QJsonObject& settings) {
    for (QCheckBox* box : window.findChildren<QCheckBox*>()) {
        const QSignalBlocker blocker(box);
        box->setChecked(settings.value(box->objectName()).toBool(box->isChecked()));
    }
    for (QComboBox* choice : window.findChildren<QComboBox*>()) {
        const QJsonValue value = settings.value(choice->objectName());
        // JSON keeps every number as a double; the choices hold whole numbers.
        const int index =
            choice->findData(value.isDouble() ? QVariant(value.toInt()) : value.toVariant());
        if (index >= 0) {
            const QSignalBlocker blocker(choice);
            choice->setCurrentIndex(index);
        }
    }
}

}  // namespace output
