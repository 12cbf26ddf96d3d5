#include "frm5.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "accentchooser.h"
#include "boxlayouts.h"
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

// The result follows the passage this long after the last change, so that the keys of one
// burst of typing make one update.
constexpr int kUpdateDelayMs = 20;
// The passage is annotated into the document for at most this long at a time before typing goes
// on, in runs of whole paragraphs of about this many characters.
constexpr qint64 kSliceNs = 10'000'000;
constexpr qsizetype kPartChars = 1500;
// Making the result whole before a save shows its progress when it takes longer than this.
constexpr int kProgressAfterMs = 300;

// The levels the reader can choose: every word, the words beyond the most frequent, beyond an
// examination's band, or beyond a list of the reader's own.
constexpr int kEveryWord = 0;
constexpr int kKnownList = -1;
constexpr int kBand4 = -2;
constexpr int kBand6 = -3;

// What a recovery copy keeps besides the option controls.
const QString kKnownPathKey = QStringLiteral("knownPath");
const QString kKnownWordsKey = QStringLiteral("knownWords");

void add(core::TextCounts& sum, const core::TextCounts& part) {
    sum.words += part.words;
    sum.annotated += part.annotated;
    sum.found += part.found;
    sum.suggested += part.suggested;
    sum.missing += part.missing;
}

widgets::ClickableLabel* command(const QString& caption, const char* name, QWidget* parent) {
    auto* label = widgets::commandLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// Hands a run of paragraphs on to the document and tells what each paragraph holds: its counts
// and, for first-only, its words, a word that an earlier paragraph or word annotated becoming a
// repeated one. Keeps the last transcription, for "朗读".
template <class Paragraph>
class ParagraphSink final : public core::TextSink {
public:
    // seen: the words annotated before the run, for first-only; null without it.
    ParagraphSink(core::TextSink& next, QSet<QString>* seen, QString& lastCodes, bool& lastAmerican)
        : next_(next),
          seen_(seen),
          lastCodes_(lastCodes),
          lastAmerican_(lastAmerican),
          paragraphs(1) {}

    void between(QStringView text) override {
        next_.between(text);
        for (qsizetype n = text.count(u'\n'); n > 0; --n) {
            paragraphs.emplace_back();
        }
    }
    void word(const core::WordSegment& word) override {
        core::WordSegment shown = word;
        Paragraph& paragraph = paragraphs.back();
        if (seen_ != nullptr && word.gloss != core::Gloss::BelowLevel &&
            word.gloss != core::Gloss::Repeated) {
            const QString key = core::levelKey(word.text);
            paragraph.words << key;
            if (seen_->contains(key)) {
                shown = {word.text, core::Gloss::Repeated, {}, -1, word.accent, {}};
            } else {
                seen_->insert(key);
                paragraph.firsts << key;
            }
        }
        core::TextCounts& counts = paragraph.counts;
        ++counts.words;
        switch (shown.gloss) {
            case core::Gloss::Found:
            case core::Gloss::Uncertain:
                ++counts.found;
                ++counts.annotated;
                break;
            case core::Gloss::Suggested:
                ++counts.suggested;
                ++counts.annotated;
                break;
            case core::Gloss::Missing:
                ++counts.missing;
                break;
            default:
                break;
        }
        if (core::hasTranscription(shown.gloss)) {
            // With both, the American form is the one written last.
            const bool american =
                !shown.american.isEmpty() || shown.accent == core::Accent::American;
            lastCodes_ =
                core::unwrappedCodes(shown.american.isEmpty() ? shown.codes : shown.american);
            lastAmerican_ = american;
        }
        next_.word(shown);
    }

private:
    core::TextSink& next_;
    QSet<QString>* seen_;
    QString& lastCodes_;
    bool& lastAmerican_;

public:
    std::vector<Paragraph> paragraphs;
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
    setObjectName(widgets::objectNameOf(widgets::WorkingWindow::Text));
    setWindowTitle(QString());
    resize(widgets::pixels(kWidth), widgets::pixels(kHeight));
    buildControls();

    // The result is rewritten a paragraph at a time; an undo history of that is not the user's.
    document_->document()->setUndoRedoEnabled(false);
    document_->setCompletion(
        {[this] { return resultIsCurrent(); }, [this] { return finishResult(); }});
    connect(source_->document(), &QTextDocument::contentsChange, this, &Frm5::onPassageChanged);
    updateTimer_->setSingleShot(true);
    updateTimer_->setInterval(kUpdateDelayMs);
    connect(updateTimer_, &QTimer::timeout, this, &Frm5::annotateSome);
    fillTimer_->setInterval(0);
    connect(fillTimer_, &QTimer::timeout, this, &Frm5::annotateSome);
    source_->setFocus();
}

Frm5::~Frm5() = default;

void Frm5::buildControls() {
    auto* chrome = new widgets::WindowChrome(this, widgets::WorkingWindow::Text);

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
        connect(box, &QCheckBox::toggled, this, &Frm5::onOptionsChanged);
    }
    auto* symbolsCaption = new QLabel(QStringLiteral("Unicode音标："), this);
    symbols_ = new QComboBox(this);
    symbols_->addItem(QStringLiteral("传统（ɔ əː əu）"), int(core::Symbols::Classic));
    symbols_->addItem(QStringLiteral("新式（ɒ ɜː əʊ）"), int(core::Symbols::Modern));
    symbols_->setToolTip(QStringLiteral("复制为Unicode音标和导出讲义时用的音标符号"));
    connect(symbols_, &QComboBox::activated, this, &Frm5::onSymbolsChosen);
    accent_ = new widgets::AccentChooser(objectName(), this);
    connect(accent_, &widgets::AccentChooser::accentChosen, this, [this] {
        onSymbolsChosen();
        onOptionsChanged();
    });

    workingDocument_ =
        new output::WorkingDocument(widgets::WorkingWindow::Text, services_, this,
                                    QStringLiteral("Label12"), QStringLiteral("保 存"));
    document_ = workingDocument_->box();
    document_->setDefaultFormat(core::latinFont(), 12);
    countsLabel_ = new QLabel(this);
    // Room for the counts of a long passage from the start: counts that came later and widened
    // the window would lay out the whole result again.
    countsLabel_->setMinimumWidth(countsLabel_->fontMetrics().horizontalAdvance(
        core::countsSummary({999999, 999999, 999999, 99999, 99999})));
    auto* speak = command(widgets::speechCaption(), "Label14", this);
    speech_ = new widgets::SpeechCommand(speak, [this] { return transcriptionToSay(); });
    speech_->setVoice([this] { return accent_->voiceAt(document_->textCursor(), lastAmerican_); });
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

    widgets::layOutWorkingWindow(
        this, chrome->strip(),
        {hint,
         widgets::row({open, {sourcePath_, 1}}),
         {source_, 2},
         widgets::row({levelCaption, level_, chooseKnown, {knownPath_, 1}}),
         widgets::row({firstOnly_, guesses_, weakForms_, accent_, widgets::Cell::space(1),
                       symbolsCaption, symbols_}),
         {document_, 3},
         countsLabel_,
         widgets::row({widgets::Cell::space(1), speak, exportHandout,
                       workingDocument_->transferLabel(), workingDocument_->saveLabel()}),
         workingDocument_->fileLabel()});
}

void Frm5::setSpeech(std::shared_ptr<core::Speech> speech) {
    speech_->setSpeech(std::move(speech));
}

bool Frm5::resultIsCurrent() const {
    return changedFrom_ < 0 && checkFrom_ < 0;
}

bool Frm5::finishResult() {
    if (resultIsCurrent()) {
        return true;
    }
    updateTimer_->stop();
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const int total = source_->document()->blockCount();
    QProgressDialog progress(QStringLiteral("正在标注文章，请稍候…"), QStringLiteral("取消"), 0,
                             total, this);
    progress.setWindowTitle(QStringLiteral("友情提示"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressAfterMs);
    while (!resultIsCurrent() && !progress.wasCanceled()) {
        annotateSome();
        progress.setValue(changedFrom_ >= 0 ? changedFrom_ : total - 1);
    }
    progress.reset();
    QGuiApplication::restoreOverrideCursor();
    if (!resultIsCurrent()) {
        // The rest follows as before; only the command that needed it all is given up.
        fillTimer_->start();
        services_.messages.show(this, QStringLiteral("文章还没有标注完，已取消。"),
                                platform::Icon::Information, platform::Buttons::Ok,
                                platform::Answer::Ok);
        return false;
    }
    return true;
}

output::DocumentSaver* Frm5::documentSaver() const {
    return workingDocument_->saver();
}

QByteArray Frm5::keptState() const {
    QJsonObject state = output::controlSettings(*this);
    if (!knownPath_->text().isEmpty()) {
        state.insert(kKnownPathKey, knownPath_->text());
        state.insert(kKnownWordsKey, QJsonArray::fromStringList(knownWords_));
    }
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

void Frm5::restoreState(const QByteArray& state) {
    const QJsonObject options = QJsonDocument::fromJson(state).object();
    if (options.contains(kKnownPathKey)) {
        knownWords_.clear();
        for (const QJsonValue& word : options.value(kKnownWordsKey).toArray()) {
            knownWords_ << word.toString();
        }
        known_ = core::KnownWords(knownWords_);
        knownPath_->setText(options.value(kKnownPathKey).toString());
    }
    // One change of options, however many controls there are.
    output::restoreControlSettings(*this, options);
    if (level_->currentData().toInt() == kKnownList && knownPath_->text().isEmpty()) {
        level_->setCurrentIndex(level_->findData(kEveryWord));
    }
    previousLevel_ = level_->currentData().toInt();
    onSymbolsChosen();
    onOptionsChanged();
}

QTextDocument* Frm5::sourceDocument() const {
    return source_->document();
}

void Frm5::onOpenTextClicked() {
    const QString path = services_.files.openFileName(
        this, QStringLiteral("请选择一篇文章（文本文件）"), widgets::textFileFilter(), QString());
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
        this, QStringLiteral("请选择已知词表（文本文件，一个单词占一行）"),
        widgets::textFileFilter(), QString());
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
    knownWords_ = known.words();
    known_ = std::move(known);
    knownPath_->setText(path);
    level_->setCurrentIndex(level_->findData(kKnownList));
    previousLevel_ = kKnownList;
    onOptionsChanged();
}

void Frm5::onLevelChosen() {
    const int level = level_->currentData().toInt();
    if (level == kKnownList && knownPath_->text().isEmpty()) {
        onChooseKnownWordsClicked();
        return;
    }
    previousLevel_ = level;
    onOptionsChanged();
}

void Frm5::onSymbolsChosen() {
    // The copy cannot tell American codes from British ones, and the modern reading of the
    // British letters would change American ones (i, ɪ): with American codes, the classic.
    document_->setUnicodeSymbols(accent_->accent() == core::Accent::British
                                     ? core::Symbols(symbols_->currentData().toInt())
                                     : core::Symbols::Classic);
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

core::TextOptions Frm5::currentOptions() const {
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
    options.accent = accent_->accent();
    return options;
}

// New options make a new result of every paragraph; the annotator made with the old ones goes,
// and the next part of the result makes one with the new.
void Frm5::onOptionsChanged() {
    annotator_.reset();
    seen_.clear();
    seenTo_ = 0;
    markChanged(0, 0);
}

void Frm5::onPassageChanged(int position, int /*removed*/, int added) {
    const QTextDocument* passage = source_->document();
    const int first = passage->findBlock(position).blockNumber();
    QTextBlock last = passage->findBlock(position + added);
    if (!last.isValid()) {
        last = passage->lastBlock();
    }
    markChanged(std::max(first, 0), passage->blockCount() - 1 - last.blockNumber());
}

// Paragraphs change only after the place of a change, so the changed run grows to take in each
// new one, counted from the start and from the end.
void Frm5::markChanged(int first, int fromEnd) {
    if (changedFrom_ < 0) {
        changedFrom_ = first;
        changedToEnd_ = fromEnd;
    } else {
        changedFrom_ = std::min(changedFrom_, first);
        changedToEnd_ = std::min(changedToEnd_, fromEnd);
    }
    checkFrom_ = -1;
    if (!fillTimer_->isActive()) {
        updateTimer_->start();
    }
}

// Annotates changed paragraphs into the result for a slice of time, then lets typing in; the rest
// follows in the next turns of the event loop. Paragraphs the change did not touch stay as they
// are, and so does the reader's place in the result.
void Frm5::annotateSome() {
    QScrollBar* scroll = document_->verticalScrollBar();
    const int place = scroll->value();
    QElapsedTimer slice;
    slice.start();
    {
        QTextCursor cursor(document_->document());
        cursor.beginEditBlock();
        do {
            if (changedFrom_ >= 0) {
                annotateParagraphs(cursor);
            } else if (checkFrom_ >= 0) {
                checkFirstOccurrences();
            }
        } while (!resultIsCurrent() && slice.nsecsElapsed() < kSliceNs);
        cursor.endEditBlock();
    }
    scroll->setValue(place);
    updateTimer_->stop();
    if (!resultIsCurrent()) {
        fillTimer_->start();
        return;
    }
    fillTimer_->stop();
    annotator_.reset();
    showCounts();
    Q_EMIT resultShown();
}

// The next part of the changed paragraphs, in place of as many of the result's old ones; the last
// part takes the place of all that are left.
void Frm5::annotateParagraphs(QTextCursor& cursor) {
    const QTextDocument* passage = source_->document();
    QTextDocument* result = document_->document();
    const int first = changedFrom_;
    const int changedEnd = passage->blockCount() - changedToEnd_;
    const int oldCount = std::max(result->blockCount() - changedToEnd_ - first, 1);
    QString part;
    int count = 0;
    for (QTextBlock block = passage->findBlockByNumber(first);
         first + count < changedEnd && (count == 0 || part.size() < kPartChars);
         block = block.next(), ++count) {
        if (count > 0) {
            part += u'\n';
        }
        part += block.text();
    }
    const bool last = first + count >= changedEnd;
    const int replaced = last ? oldCount : std::min(count, oldCount - 1);

    if (annotator_ == nullptr) {
        core::TextOptions options = currentOptions();
        // Which words are repeated the window tells across paragraphs itself.
        options.firstOnly = false;
        annotator_ = std::make_unique<core::TextAnnotator>(words_, options);
    }
    const bool firstOnly = firstOnly_->isChecked();
    if (firstOnly) {
        seeUpTo(first);
    }
    cursor.setPosition(result->findBlockByNumber(first).position());
    if (replaced > 0) {
        const QTextBlock end = result->findBlockByNumber(first + replaced - 1);
        cursor.setPosition(end.position() + end.length() - 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    core::DocumentTextWriter writer(cursor);
    ParagraphSink<Paragraph> sink(writer, firstOnly ? &seen_ : nullptr, lastCodes_, lastAmerican_);
    annotator_->annotate(part, sink);
    if (replaced == 0) {
        writer.between(u"\n");  // before the old paragraph still to be replaced
    }
    paragraphs_.erase(paragraphs_.begin() + first, paragraphs_.begin() + first + replaced);
    paragraphs_.insert(paragraphs_.begin() + first,
                       std::make_move_iterator(sink.paragraphs.begin()),
                       std::make_move_iterator(sink.paragraphs.end()));
    seenTo_ = firstOnly ? first + count : 0;
    if (last) {
        changedFrom_ = -1;
        checkFrom_ = firstOnly ? first + count : -1;
    } else {
        changedFrom_ = first + count;
    }
}

// First-only: a change may have made a later paragraph hold the first occurrence of a word, or
// no longer; such a paragraph is annotated again, the others stay.
void Frm5::checkFirstOccurrences() {
    seeUpTo(checkFrom_);
    const int count = int(paragraphs_.size());
    for (int i = checkFrom_; i < count; ++i) {
        const Paragraph& paragraph = paragraphs_[size_t(i)];
        QStringList firsts;
        for (const QString& word : paragraph.words) {
            if (!seen_.contains(word)) {
                seen_.insert(word);
                firsts << word;
            }
        }
        if (firsts != paragraph.firsts) {
            // seen_ goes back to the paragraphs before this one, which is annotated again.
            for (const QString& word : std::as_const(firsts)) {
                seen_.remove(word);
            }
            markChanged(i, count - 1 - i);
            return;
        }
        seenTo_ = i + 1;
    }
    checkFrom_ = -1;
}

// Makes seen_ hold the words of the paragraphs before paragraph.
void Frm5::seeUpTo(int paragraph) {
    if (seenTo_ > paragraph) {
        seen_.clear();
        seenTo_ = 0;
    }
    for (; seenTo_ < paragraph; ++seenTo_) {
        for (const QString& word : std::as_const(paragraphs_[size_t(seenTo_)].words)) {
            seen_.insert(word);
        }
    }
}

void Frm5::showCounts() {
    counts_ = {};
    for (const Paragraph& paragraph : paragraphs_) {
        add(counts_, paragraph.counts);
    }
    countsLabel_->setText(core::countsSummary(counts_));
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
