#include "frm3.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTimer>

#include "accentchooser.h"
#include "annotation.h"
#include "clickablelabel.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "lookupclient.h"
#include "misslog.h"
#include "objectnames.h"
#include "services.h"
#include "speechcommand.h"
#include "textwriters.h"
#include "windowchrome.h"
#include "workingdocument.h"

namespace smart {
namespace {

using widgets::pixels;

const QString kDocumentFont = QStringLiteral("Courier");
constexpr qreal kFontPoints = 12;

// Design positions and sizes in twips, inside a client area of 7800 x 6795, below the title strip
// with the launcher's room between strip and text; the options are placed inside Frame2.
struct Placement {
    const char* name;
    int x, y, width, height;
};
constexpr int kClientWidth = 7800;
constexpr int kClientHeight = 6795;
constexpr Placement kPlacements[] = {
    {"Label1", 180, 600, 7425, 600},      {"Label2", 270, 1320, 2700, 255},
    {"Text1", 270, 1635, 3210, 465},      {"Command2", 6480, 1635, 1035, 495},
    {"Frame2", 3915, 1320, 2355, 870},    {"Option1", 135, 270, 2160, 255},
    {"Option3", 135, 540, 2160, 255},     {"Rich1", 180, 2310, 6180, 3735},
    {"Label4", 6480, 2310, 1035, 375},    {"Label13", 6480, 2805, 1035, 375},
    {"Label14", 6480, 3300, 1035, 375},   {"Image2", 6480, 5040, 1035, 1005},
    {"lblconvert", 1125, 6180, 615, 255}, {"lblfile", 1905, 6180, 4455, 255},
    {"Accent", 6480, 1230, 1035, 360},
};

// How the window shows its mode: lblconvert's caption, the prompt, the entry box's width and
// whether the marks' frame is shown.
struct ModeLook {
    Frm3::EntryMode mode;
    QStringView caption;
    QStringView prompt;
    int entryWidth;  // twips
    bool frameShown;
};
constexpr ModeLook kModeLooks[] = {
    {Frm3::EntryMode::Annotating, u"sonabet", u"录入单词：(软件自动标注音标)", 3210, true},
    {Frm3::EntryMode::PlainInput, u"danci", u"录入内容：（不需要找音标）", 6000, false},
};

const ModeLook& lookOf(Frm3::EntryMode mode) {
    return kModeLooks[static_cast<int>(mode)];
}

const char* const kCommandLabelStyle =
    "QLabel { border: 1px solid #7a9cc6; border-radius: 3px; background: #eef4fb; }"
    "QLabel:hover { background: #d6e6f8; }";

}  // namespace

Frm3::Frm3(platform::Services& services, core::LookupClient& lookup, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), services_(services), lookup_(lookup) {
    setObjectName(QStringLiteral("Frm3"));
    // Only a minimised window carries the name; the title strip shows it otherwise.
    setWindowTitle(QString());
    buildControls();
    placeControls();

    new widgets::WindowChrome(this, widgets::WorkingWindow::SmartAnnotation);

    connect(entry_, &QLineEdit::textChanged, this, &Frm3::onEntryChanged);
    connect(confirm_, &QPushButton::clicked, this, &Frm3::onConfirmClicked);
    connect(modeLabel_, &widgets::ClickableLabel::doubleClicked, this, &Frm3::toggleMode);

    prepareMissLog();
    loadLockPicture();
    entry_->setFocus();
}

void Frm3::buildControls() {
    auto* instructions = new QLabel(
        QStringLiteral("每输完一个单词，按回车键确认此次输入。按ESC键可在标注音标与输入单词间转换，"
                       "故本软件可实现音标与单词混合输入。 "
                       "录入过程中，建议您及时保存文件，以启动自动保存功能。"),
        this);
    instructions->setWordWrap(true);
    prompt_ = new QLabel(lookOf(mode_).prompt.toString(), this);

    entry_ = new QLineEdit(this);
    entry_->setFont(QFont(core::latinFont(), int(kFontPoints)));
    // Words are typed in English; a Chinese input method would only get in the way.
    entry_->setAttribute(Qt::WA_InputMethodEnabled, false);

    confirm_ = new QPushButton(QStringLiteral("确定"), this);
    confirm_->setDefault(true);
    confirm_->setEnabled(false);
    // Clicking it leaves the focus in the entry box, ready for the next word.
    confirm_->setFocusPolicy(Qt::TabFocus);

    marksFrame_ = new QGroupBox(QStringLiteral("自动标音标时"), this);
    squareBrackets_ = new QRadioButton(QStringLiteral("自动加边界[] &1"), marksFrame_);
    auto* slashes = new QRadioButton(QStringLiteral("自动加边界// &2"), marksFrame_);
    squareBrackets_->setChecked(true);

    workingDocument_ =
        new output::WorkingDocument(widgets::WorkingWindow::SmartAnnotation, services_, this,
                                    QStringLiteral("Label4"), QStringLiteral("保  存"));
    document_ = workingDocument_->box();
    document_->setDefaultFormat(kDocumentFont, kFontPoints);

    modeLabel_ = new widgets::ClickableLabel(lookOf(mode_).caption.toString(), this);
    auto* speakLabel = new widgets::ClickableLabel(widgets::speechCaption(), this);
    speakLabel->setObjectName(QStringLiteral("Label14"));
    speakLabel->setCursor(Qt::PointingHandCursor);
    speech_ = new widgets::SpeechCommand(speakLabel, [this] { return transcriptionToSay(); });
    speech_->setVoice([this] { return accent_->voiceAt(document_->textCursor(), lastAmerican_); });
    connect(speakLabel, &widgets::ClickableLabel::clicked, speech_, &widgets::SpeechCommand::speak);
    speech_->speakOnF5(this);
    for (QLabel* label :
         {workingDocument_->saveLabel(), workingDocument_->transferLabel(), speakLabel}) {
        label->setAlignment(Qt::AlignCenter);
        label->setAttribute(Qt::WA_Hover);
        label->setStyleSheet(QString::fromLatin1(kCommandLabelStyle));
    }
    lockPicture_ = new QLabel(this);
    lockPicture_->setAlignment(Qt::AlignCenter);
    accent_ = new widgets::AccentChooser(objectName(), this);

    widgets::nameObjects({{lockPicture_, "Image2"},
                          {instructions, "Label1"},
                          {prompt_, "Label2"},
                          {entry_, "Text1"},
                          {confirm_, "Command2"},
                          {marksFrame_, "Frame2"},
                          {squareBrackets_, "Option1"},
                          {slashes, "Option3"},
                          {modeLabel_, "lblconvert"}});
}

void Frm3::placeControls() {
    setFixedSize(pixels(kClientWidth), pixels(kClientHeight));
    for (const Placement& place : kPlacements) {
        if (auto* widget = findChild<QWidget*>(QString::fromLatin1(place.name))) {
            widget->setGeometry(pixels(place.x), pixels(place.y), pixels(place.width),
                                pixels(place.height));
        }
    }
    // The mode label keeps its design place but grows when the font is wider than the design's,
    // so that "sonabet" is never cut off.
    modeLabel_->resize(qMax(modeLabel_->width(), modeLabel_->sizeHint().width()),
                       modeLabel_->height());
}

void Frm3::prepareMissLog() {
    // A folder that cannot be written only costs the record of missed words, so it is not reported.
    core::MissLog(services_.folder.writableFile(core::MissLog::fileName())).prepare();
}

void Frm3::loadLockPicture() {
    // An optional picture beside the document, which the program writes into but the user cannot.
    const QString path = services_.folder.file(QStringLiteral("lock.jpg"));
    QPixmap picture;
    if (!QFileInfo::exists(path) || !picture.load(path)) {
        lockPicture_->hide();
        return;
    }
    lockPicture_->setPixmap(
        picture.scaled(lockPicture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    lockPicture_->show();
}

void Frm3::setManualEntryOpener(std::function<void()> opener) {
    manualEntryOpener_ = std::move(opener);
}

QString Frm3::notFoundQuestion(const QString& key) {
    return QStringLiteral("没找到  ") + key +
           QStringLiteral(
               "  的音标，您要手工录入吗？\r\n"
               "手工录入请选“是”，不想手工录入选“否”，按错键选“取消”");
}

bool Frm3::isSentence(const QString& entry) {
    int words = 0;
    for (const core::TextToken& token : core::textTokens(entry)) {
        words += token.word ? 1 : 0;
    }
    return words > 1;
}

// A sentence as the annotated entries of its words, the text between them kept, staged through
// the clipboard as one piece. A word the dictionary lacks gets "none": one paste asks no string of
// questions.
void Frm3::insertSentence(const QString& entry) {
    class Collector final : public core::TextRunWriter {
    public:
        using TextRunWriter::TextRunWriter;
        QList<core::Run> runs;

    protected:
        void run(const core::Run& run) override { runs.push_back(run); }
    };
    Collector collector(
        {squareBrackets_->isChecked() ? core::Marks::SquareBrackets : core::Marks::Slashes, true});
    core::ClientWords words(lookup_);
    core::TextOptions options;
    options.accent = accent_->accent();
    core::TextAnnotator(words, options).annotate(entry, collector);
    for (auto run = collector.runs.crbegin(); run != collector.runs.crend(); ++run) {
        if (run->family == core::phoneticFont()) {
            lastTranscription_ = run->text;
            lastAmerican_ = options.accent != core::Accent::British;
            break;
        }
    }
    document_->insert({{collector.runs, true}});
}

void Frm3::onEntryChanged(const QString& text) {
    confirm_->setEnabled(!text.isEmpty());
}

core::Accent Frm3::accent() const {
    return accent_->accent();
}

void Frm3::onConfirmClicked() {
    const QString entry = entry_->text();
    if (entry.isEmpty()) {
        return;
    }
    // The document stays locked against typing; the program inserts into it all the same.
    if (isPlainInput()) {
        document_->insertInCaretFormat(entry);
        entry_->clear();
        return;
    }

    const core::Accent accent = accent_->accent();
    // Beside a British transcription, the American one; a word the American table lacks shows
    // "none" there.
    core::LookupClient::BothLookup both;
    if (accent == core::Accent::Both) {
        both = lookup_.lookupBoth(entry);
    } else {
        both.british = accent == core::Accent::American ? lookup_.lookupAmerican(entry)
                                                        : lookup_.lookup(entry);
    }
    const core::Lookup& found = both.british;
    const QString& american = both.american;
    QString transcription = found.transcription;
    // Words that are no key of the dictionary together go in one by one, each with its own.
    if (transcription.isEmpty() && !found.unavailable && isSentence(entry)) {
        insertSentence(entry);
        entry_->clear();
        return;
    }
    if (transcription.isEmpty()) {
        const platform::Answer answer =
            services_.messages.show(this, notFoundQuestion(found.key), platform::Icon::Question,
                                    platform::Buttons::YesNoCancel, platform::Answer::Yes);
        if (answer == platform::Answer::Yes) {
            // The manual-entry dialog reads the word from entry_ and inserts into document_ itself.
            if (manualEntryOpener_) {
                manualEntryOpener_();
            }
            return;
        }
        if (answer != platform::Answer::No) {
            // Cancel: the entry stays for correction.
            return;
        }
        transcription = QStringLiteral("none");
    }

    insertAnnotated(entry, transcription, american);
    entry_->clear();
}

output::DocumentSaver* Frm3::documentSaver() const {
    return workingDocument_->saver();
}

void Frm3::setSpeech(std::shared_ptr<core::Speech> speech) {
    speech_->setSpeech(std::move(speech));
}

// The transcription of the selected word or of the word at the caret, else the last one written.
QString Frm3::transcriptionToSay() const {
    const QString near = core::transcriptionNear(document_->textCursor());
    return near.isEmpty() ? lastTranscription_ : near;
}

void Frm3::insertAnnotated(const QString& entry, const QString& transcription,
                           const QString& american) {
    const core::Marks marks =
        squareBrackets_->isChecked() ? core::Marks::SquareBrackets : core::Marks::Slashes;
    const core::Accent accent = accent_->accent();
    // The last written: with both, the American one, which follows the British.
    lastTranscription_ =
        accent == core::Accent::Both && !american.isEmpty() ? american : transcription;
    lastAmerican_ =
        accent == core::Accent::American || (accent == core::Accent::Both && !american.isEmpty());
    // One edit: the paragraph is laid out once for the pieces, and one undo step takes the whole
    // entry back.
    document_->insert(accent == core::Accent::Both
                          ? core::smartEntryBoth(entry, transcription, american, marks)
                          : core::smartEntry(entry, transcription, marks));
}

void Frm3::toggleMode() {
    mode_ = mode_ == EntryMode::Annotating ? EntryMode::PlainInput : EntryMode::Annotating;
    const ModeLook& look = lookOf(mode_);
    modeLabel_->setText(look.caption.toString());
    prompt_->setText(look.prompt.toString());
    entry_->resize(pixels(look.entryWidth), entry_->height());
    marksFrame_->setVisible(look.frameShown);
}

void Frm3::closeEvent(QCloseEvent* event) {
    if (!workingDocument_->confirmClose()) {
        event->ignore();
        return;
    }
    Q_EMIT closing();
    QWidget::closeEvent(event);
}

// The controls of the window leave Esc and Enter alone, so both come here wherever the focus is.
// Esc switches the mode. Enter presses the default button, but in the document: Enter there
// belongs to the document, which takes no typing while it is locked, so it does nothing.
void Frm3::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        toggleMode();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QWidget* focus = focusWidget();
    const bool inDocument =
        focus != nullptr && (focus == document_ || document_->isAncestorOf(focus));
    if (!inDocument && confirm_->isEnabled()) {
        confirm_->click();
    }
}

}  // namespace smart
