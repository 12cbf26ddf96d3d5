// A working window as the launcher and the recovery copies see it: its document, whether that has
// unsaved changes, the question before it closes, and what a recovery copy keeps of it. The
// launcher knows no window's insides beyond this.
#pragma once

#include <QByteArray>
#include <QJsonObject>

class QTextDocument;
class QWidget;

namespace output {

class DocumentBox;
class DocumentSaver;

class WorkingWindowInterface {
public:
    virtual ~WorkingWindowInterface() = default;

    virtual QWidget* widget() = 0;
    // The document the window shows and what saves it.
    virtual DocumentBox* documentBox() const = 0;
    virtual DocumentSaver* documentSaver() const = 0;

    // The document changed since its last save.
    bool hasUnsavedChanges();
    // Before the window closes: asks about unsaved changes; false when the window must stay.
    virtual bool confirmClose();
    // The whole save, dialog and all; false when the user cancelled or the write failed.
    bool save();

    // What a recovery copy keeps: the document from which the window's shows again (the shown
    // one unless the window makes it from another), and the window's settings besides, which
    // restoreState() puts back before the document is read in.
    virtual QTextDocument& keptDocument();
    virtual QByteArray keptState() const { return {}; }
    virtual void restoreState(const QByteArray&) {}
};

// The working window a widget is; nullptr for any other widget.
WorkingWindowInterface* workingWindowOf(QWidget* widget);

// The settings of a window by their object names: every check box and every choice. A new
// setting is kept and restored once its control has a name.
QJsonObject controlSettings(const QWidget& window);
// Puts the settings back without signalling each change; controls the settings lack keep theirs.
void restoreControlSettings(QWidget& window, const QJsonObject& settings);

}  // namespace output
