// The three working windows behind one face, shown and driven through their own controls.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "children.h"
#include "clickablelabel.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "form1.h"
#include "frm3.h"
#include "frm4.h"
#include "frm5.h"
#include "lookupclient.h"
#include "services.h"

namespace faults {

enum class Kind { ManualInput, SmartAnnotation, Batch, Text };

inline const char* nameOf(Kind kind) {
    switch (kind) {
        case Kind::ManualInput:
            return "Form1";
        case Kind::SmartAnnotation:
            return "Frm3";
        case Kind::Batch:
            return "Frm4";
        case Kind::Text:
            return "Frm5";
    }
    return "?";
}

class WorkingWindow {
public:
    WorkingWindow(Kind kind, platform::Services& services, core::LookupClient& client)
        : kind_(kind) {
        switch (kind) {
            case Kind::ManualInput:
                window_ = std::make_unique<manual::Form1>(services);
                break;
            case Kind::SmartAnnotation:
                window_ = std::make_unique<smart::Frm3>(services, client);
                break;
            case Kind::Batch:
                window_ = std::make_unique<batch::Frm4>(services, client);
                break;
            case Kind::Text:
                window_ = std::make_unique<text::Frm5>(services, client, nullptr);
                break;
        }
        window_->show();
        box = find<output::DocumentBox>(kind == Kind::Batch ? "Rich2" : "Rich1");
        save = find<QLabel>(kind == Kind::ManualInput || kind == Kind::Text ? "Label12" : "Label4");
        transfer = kind == Kind::Batch ? nullptr : find<QLabel>("Label13");
        lblfile = kind == Kind::Batch ? nullptr : find<QLabel>("lblfile");
        saver = window_->findChild<output::DocumentSaver*>();
    }

    bool hasAutosave() const { return kind_ != Kind::Batch; }
    QWidget* widget() const { return window_.get(); }

    void clickSave() { QTest::mouseClick(save, Qt::LeftButton); }
    void clickTransfer() { QTest::mouseClick(transfer, Qt::LeftButton); }
    // What Timer1 does once a minute.
    void autosave() { saver->autosave(); }
    QString fileLabel() const { return lblfile ? lblfile->text() : QString(); }
    bool timerRunning() const { return saver->timer()->isActive(); }

    template <class T>
    T* find(const char* name) const {
        SCOPED_TRACE(nameOf(kind_));
        return testing_support::childOf<T>(*window_, QString::fromLatin1(name));
    }

    output::DocumentBox* box = nullptr;
    QLabel* save = nullptr;
    QLabel* transfer = nullptr;
    QLabel* lblfile = nullptr;
    output::DocumentSaver* saver = nullptr;

private:
    Kind kind_;
    std::unique_ptr<QWidget> window_;
};

}  // namespace faults
