#include "frm5.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include "clickablelabel.h"
#include "documentbox.h"
#include "documentsaver.h"
#include "objectnames.h"
#include "savefile.h"
#include "services.h"
#include "speechcommand.h"
#include "textwriters.h"
#include "twips.h"
#include "windowchrome.h"
#include "wordlist.h"
#include "workingdocument.h"

namespace text {
namespace {

// Design size of the client area in twips.
constexpr int kWidth = 9000;
constexpr int kHeight = 9600;

// The result follows the passage this long after the last change: long enough not to annotate
// between two keys of a word, short enough to seem at once.
constexpr int kUpdateDelayMs = 80;
// The passage is annotated into the document for at most this long at a time before typing goes
// on, in parts of whole paragraphs of about this many characters.
constexpr qint64 kSliceNs = 25'000'000;
constexpr qsizetype kPartChars = 8000;

// The levels the reader can choose: every word, the words beyond the most frequent, beyond an
// examination's band, or beyond a list of the reader's own.
constexpr int kEveryWord = 0;
constexpr int kKnownList = -1;
constexpr int kBand4 = -2;
constexpr int kBand6 = -3;

widgets::ClickableLabel* command(const QString& caption, const char* name, QWidget* parent) {
    auto* label = widgets::commandLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// Hands the pieces on to the document and keeps the last transcription, for "朗读".
class Tee final : public core::TextSink {
public:
    Tee(core::TextSink& next, QString& lastCodes) : next_(next), lastCodes_(lastCodes) {}
    void between(QStringView text) override { next_.between(text); }
    void word(const core::WordSegment& word) override {
        if (core::hasTranscription(word.gloss)) {
            lastCodes_ = core::unwrappedCodes(word.codes);
        }
        next_.word(word);
    }

private:
    core::TextSink& next_;
    QString& lastCodes_;
};

}  // namespace

Frm5::Frm5(platform::Services& services, core::LookupClient& lookup,
           std::shared_ptr<core::Suggestion> suggestion, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      services_(services),
      words_(lookup),
      suggestion_(std::move(suggestion)),
      updateTimer_(new QTimer(this)),
      fillTimer_(new QTimer(this)) {
    setObjectName(core::objectNameOf(core::WorkingWindow::Text));
    setWindowTitle(QString());
    resize(widgets::pixels(kWidth), widgets::pixels(kHeight));
    buildControls();

    updateTimer_->setSingleShot(true);
    updateTimer_->setInterval(kUpdateDelayMs);
    connect(updateTimer_, &QTimer::timeout, this, &Frm5::annotate);
    fillTimer_->setInterval(0);
    connect(fillTimer_, &QTimer::timeout, this, &Frm5::annotateSome);
    source_->setFocus();
}

Frm5::~Frm5() = default;

void Frm5::buildControls() {
    auto* chrome = new widgets::WindowChrome(this, core::WorkingWindow::Text);

    auto* hint =
        new QLabel(QStringLiteral("粘贴、输入或打开一篇英语文章，下面随即写出带音标的文章。"
                                  "可以只标注超出读者水平的单词。"),
                   this);
    hint->setWordWrap(true);
    auto* open = command(QStringLiteral("打开文章…"), "Label2", this);
    connect(open, &widgets::ClickableLabel::clicked, this, &Frm5::onOpenTextClicked);
    sourcePath_ = new QLabel(this);
    sourcePath_->setTextFormat(Qt::PlainText);
    sourcePath_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    source_ = new QPlainTextEdit(this);
    source_->setPlaceholderText(QStringLiteral("在这里粘贴或输入英语文章"));
    connect(source_, &QPlainTextEdit::textChanged, this, &Frm5::scheduleUpdate);

    auto* levelCaption = new QLabel(QStringLiteral("标注："), this);
    level_ = new QComboBox(this);
    level_->addItem(QStringLiteral("全部单词"), kEveryWord);
    for (const int n : core::kReaderLevels) {
        level_->addItem(QStringLiteral("最常用的%1词以外的单词").arg(n), n);
    }
    level_->addItem(QStringLiteral("四级词汇以外"), kBand4);
    level_->addItem(QStringLiteral("六级词汇以外"), kBand6);
    level_->addItem(QStringLiteral("已知词表以外的单词"), kKnownList);
    connect(level_, &QComboBox::activated, this, &Frm5::onLevelChosen);
    auto* chooseKnown = command(QStringLiteral("选择已知词表…"), "Label4", this);
    connect(chooseKnown, &widgets::ClickableLabel::clicked, this, &Frm5::onChooseKnownWordsClicked);
    knownPath_ = new QLabel(this);
    knownPath_->setTextFormat(Qt::PlainText);
    knownPath_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    firstOnly_ = new QCheckBox(QStringLiteral("只标注第一次出现的单词"), this);
    guesses_ = new QCheckBox(QStringLiteral("词典中没有的单词写上建议音标（灰色）"), this);
    weakForms_ = new QCheckBox(QStringLiteral("弱读"), this);
    weakForms_->setToolTip(QStringLiteral("虚词在连贯的话中写弱读式，在短语末尾写强读式"));
    for (QCheckBox* box : {firstOnly_, guesses_, weakForms_}) {
        connect(box, &QCheckBox::toggled, this, &Frm5::scheduleUpdate);
    }
    auto* symbolsCaption = new QLabel(QStringLiteral("Unicode音标："), this);
    symbols_ = new QComboBox(this);
    symbols_->addItem(QStringLiteral("传统（ɔ əː əu）"), int(core::Symbols::Classic));
    symbols_->addItem(QStringLiteral("新式（ɒ ɜː əʊ）"), int(core::Symbols::Modern));
    symbols_->setToolTip(QStringLiteral("复制为Unicode音标和导出讲义时用的音标符号"));
    connect(symbols_, &QComboBox::activated, this, &Frm5::onSymbolsChosen);

    workingDocument_ =
        new output::WorkingDocument(core::WorkingWindow::Text, services_, this,
                                    QStringLiteral("Label12"), QStringLiteral("保 存"));
    document_ = workingDocument_->box();
    document_->setDefaultFormat(core::latinFont(), 12);
    countsLabel_ = new QLabel(this);
    auto* speak = command(widgets::speechCaption(), "Label14", this);
    speech_ = new widgets::SpeechCommand(speak, [this] { return transcriptionToSay(); });
    connect(speak, &widgets::ClickableLabel::clicked, speech_, &widgets::SpeechCommand::speak);
    speech_->speakOnF5(this);
    auto* exportHandout = command(QStringLiteral("导出讲义…"), "Label15", this);
    connect(exportHandout, &widgets::ClickableLabel::clicked, this, &Frm5::onExportClicked);
    for (QLabel* label : {static_cast<QLabel*>(workingDocument_->saveLabel()),
                          static_cast<QLabel*>(workingDocument_->transferLabel())}) {
        label->setStyleSheet(widgets::commandStyle());
    }

    widgets::nameObjects({{hint, "Label1"},
                          {sourcePath_, "Label3"},
                          {source_, "Text1"},
                          {level_, "Combo1"},
                          {knownPath_, "Label7"},
                          {firstOnly_, "Check1"},
                          {guesses_, "Check2"},
                          {weakForms_, "Check3"},
                          {symbols_, "Combo2"},
                          {countsLabel_, "Label5"}});

    auto* openRow = new QHBoxLayout;
    openRow->addWidget(open);
    openRow->addWidget(sourcePath_, 1);
    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(levelCaption);
    levelRow->addWidget(level_);
    levelRow->addWidget(chooseKnown);
    levelRow->addWidget(knownPath_, 1);
    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(firstOnly_);
    optionRow->addWidget(guesses_);
    optionRow->addWidget(weakForms_);
    optionRow->addStretch(1);
    optionRow->addWidget(symbolsCaption);
    optionRow->addWidget(symbols_);
    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(countsLabel_, 1);
    commandRow->addWidget(speak);
    commandRow->addWidget(exportHandout);
    commandRow->addWidget(workingDocument_->transferLabel());
    commandRow->addWidget(workingDocument_->saveLabel());
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 10);
    body->addWidget(hint);
    body->addLayout(openRow);
    body->addWidget(source_, 2);
    body->addLayout(levelRow);
    body->addLayout(optionRow);
    body->addWidget(document_, 3);
    body->addLayout(commandRow);
    body->addWidget(workingDocument_->fileLabel());
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(chrome->strip());
    window->addLayout(body, 1);
}

void Frm5::setSpeech(std::shared_ptr<core::Speech> speech) {
    speech_->setSpeech(std::move(speech));
}

bool Frm5::resultIsCurrent() const {
    return !updateTimer_->isActive() && !filling_;
}

QTextDocument* Frm5::sourceDocument() const {
    return source_->document();
}

void Frm5::onOpenTextClicked() {
    const QString path = services_.files.openFileName(
        this, QStringLiteral("请选择一篇文章（文本文件）"), core::textFileFilter(), QString());
    if (!path.isEmpty()) {
        openText(path);
    }
}

void Frm5::openText(const QString& path) {
    const core::TextFile file = core::readPassage(path);
    if (!file.ok()) {
        services_.messages.show(this, file.error, platform::Icon::Critical, platform::Buttons::Ok,
                                platform::Answer::Ok);
        return;
    }
    sourcePath_->setText(path);
    source_->setPlainText(file.text);
}

void Frm5::onChooseKnownWordsClicked() {
    const QString path = services_.files.openFileName(
        this, QStringLiteral("请选择已知词表（文本文件，一个单词占一行）"), core::textFileFilter(),
        QString());
    if (path.isEmpty()) {
        level_->setCurrentIndex(level_->findData(previousLevel_));
        return;
    }
    QString error;
    core::KnownWords known = core::KnownWords::read(path, &error);
    if (!error.isEmpty()) {
        services_.messages.show(this, error, platform::Icon::Critical, platform::Buttons::Ok,
                                platform::Answer::Ok);
        level_->setCurrentIndex(level_->findData(previousLevel_));
        return;
    }
    known_ = std::move(known);
    knownPath_->setText(path);
    // A new list is a new option set.
    annotator_.reset();
    level_->setCurrentIndex(level_->findData(kKnownList));
    previousLevel_ = kKnownList;
    scheduleUpdate();
}

void Frm5::onLevelChosen() {
    const int level = level_->currentData().toInt();
    if (level == kKnownList && knownPath_->text().isEmpty()) {
        onChooseKnownWordsClicked();
        return;
    }
    previousLevel_ = level;
    scheduleUpdate();
}

void Frm5::onSymbolsChosen() {
    document_->setUnicodeSymbols(core::Symbols(symbols_->currentData().toInt()));
}

void Frm5::onExportClicked() {
    const QString path = services_.files.saveFileName(
        this, QStringLiteral("导出讲义"), QStringLiteral("网页(*.html)|*.html|"), QString());
    if (path.isEmpty()) {
        return;
    }
    core::ByteBuffer page;
    core::HtmlTextWriter writer(page, core::Symbols(symbols_->currentData().toInt()),
                                QStringLiteral("文章标注"));
    core::TextAnnotator annotator(words_, currentOptions());
    annotator.annotate(source_->toPlainText(), writer);
    writer.finish();
    QString error;
    if (!core::saveBytes(path, page.bytes(), &error)) {
        services_.messages.show(this, QStringLiteral("讲义没有导出：\n%1\n%2").arg(path, error),
                                platform::Icon::Critical, platform::Buttons::Ok,
                                platform::Answer::Ok);
        return;
    }
    services_.messages.show(this, QStringLiteral("讲义已导出到“%1”。").arg(path),
                            platform::Icon::Information, platform::Buttons::Ok,
                            platform::Answer::Ok);
}

core::TextOptions Frm5::currentOptions() {
    const int level = level_->currentData().toInt();
    core::TextOptions options;
    options.level = level > 0 ? level : 0;
    options.known = level == kKnownList ? &known_ : nullptr;
    if (level == kBand4 || level == kBand6) {
        options.examination = &core::examinationWords(level == kBand4 ? core::Examination::Band4
                                                                      : core::Examination::Band6);
    }
    options.weakForms = weakForms_->isChecked();
    options.firstOnly = firstOnly_->isChecked();
    options.guesser = guesses_->isChecked() ? suggestion_.get() : nullptr;
    return options;
}

void Frm5::scheduleUpdate() {
    updateTimer_->start();
}

void Frm5::annotate() {
    if (annotator_ == nullptr || annotatorOptions_ != currentOptions()) {
        annotatorOptions_ = currentOptions();
        annotator_ = std::make_unique<core::TextAnnotator>(words_, annotatorOptions_);
    }
    passage_ = source_->toPlainText();
    annotatedTo_ = 0;
    counts_ = {};
    lastCodes_.clear();
    document_->clearDocument();
    filling_ = true;
    annotateSome();
}

// Annotates the passage into the document a few paragraphs at a time for a slice of time, then
// lets typing in; the rest follows in the next turns of the event loop, unless the passage
// changes meanwhile and the annotation starts again.
void Frm5::annotateSome() {
    QElapsedTimer slice;
    slice.start();
    {
        QTextCursor end(document_->document());
        end.movePosition(QTextCursor::End);
        core::DocumentTextWriter writer(end);
        Tee tee(writer, lastCodes_);
        do {
            qsizetype to = passage_.size();
            if (passage_.size() - annotatedTo_ > kPartChars) {
                const qsizetype lineEnd = passage_.indexOf(u'\n', annotatedTo_ + kPartChars);
                to = lineEnd < 0 ? passage_.size() : lineEnd + 1;
            }
            counts_ = annotator_->annotate(
                QStringView(passage_).sliced(annotatedTo_, to - annotatedTo_), tee,
                annotatedTo_ == 0 ? core::TextAnnotator::Part::Whole
                                  : core::TextAnnotator::Part::Continued);
            annotatedTo_ = to;
        } while (annotatedTo_ < passage_.size() && slice.nsecsElapsed() < kSliceNs);
    }
    if (annotatedTo_ < passage_.size()) {
        fillTimer_->start();
        return;
    }
    fillTimer_->stop();
    filling_ = false;
    countsLabel_->setText(core::countsSummary(counts_));
    Q_EMIT resultShown();
}

// The transcription of the selected word or of the word at the caret, else of the last word
// annotated.
QString Frm5::transcriptionToSay() const {
    const QString near = core::transcriptionNear(document_->textCursor());
    return near.isEmpty() ? lastCodes_ : near;
}

void Frm5::closeEvent(QCloseEvent* event) {
    if (!workingDocument_->confirmClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

}  // namespace text
