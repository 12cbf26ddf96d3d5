// Documents saved by the program, opened by a real word processor: headless LibreOffice converts
// them to flat OpenDocument XML, and every character's text, font, size and colour is compared
// with the document in the window.
#include <gtest/gtest.h>
#include <QFile>
#include <QHash>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <memory>

#include "documentbox.h"
#include "process.h"
#include "qtprinters.h"

namespace {

using output::DocumentBox;

const QString kPhonetic = QStringLiteral("Kingsoft Phonetic Plain");

struct CharFormat {
    QString family;
    double points;
    QString colour;  // "#rrggbb"
    bool operator==(const CharFormat&) const = default;
};

struct Paragraph {
    QString text;
    QList<CharFormat> formats;  // one per character of text
};

std::string describe(const CharFormat& f) {
    return QStringLiteral("%1 %2pt %3")
        .arg(f.family, QString::number(f.points), f.colour)
        .toStdString();
}

// What the window holds, with sizes as RTF can carry them (half points).
QList<Paragraph> documentParagraphs(const QTextDocument& document) {
    QList<Paragraph> paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph paragraph;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QFont font = format.font().resolve(document.defaultFont());
            const QColor colour = format.hasProperty(QTextFormat::ForegroundBrush)
                                      ? format.foreground().color()
                                      : QColor(Qt::black);
            const CharFormat f{font.family(), qRound(font.pointSizeF() * 2) / 2.0, colour.name()};
            paragraph.text += it.fragment().text();
            for (qsizetype i = 0; i < it.fragment().text().size(); ++i) {
                paragraph.formats << f;
            }
        }
        paragraphs << paragraph;
    }
    return paragraphs;
}

// The few parts of a flat OpenDocument text file that say what each character looks like.
class FlatOdt {
public:
    explicit FlatOdt(const QByteArray& xml) {
        QXmlStreamReader reader(xml);
        QString styleKey;
        QStringList spanStyles;
        while (!reader.atEnd()) {
            reader.readNext();
            const auto name = reader.qualifiedName();
            const QXmlStreamAttributes a = reader.attributes();
            if (reader.isStartElement()) {
                if (name == u"style:font-face") {
                    QString family = a.value("svg:font-family").toString();
                    if (family.startsWith('\'') && family.endsWith('\'')) {
                        family = family.mid(1, family.size() - 2);
                    }
                    faces_[a.value("style:name").toString()] = family;
                } else if (name == u"style:style") {
                    styleKey = a.value("style:name").toString();
                    styles_[styleKey].parent = a.value("style:parent-style-name").toString();
                } else if (name == u"style:default-style" &&
                           a.value("style:family") == u"paragraph") {
                    styleKey = QStringLiteral("<default>");
                } else if (name == u"style:text-properties" && !styleKey.isEmpty()) {
                    for (const QXmlStreamAttribute& attribute : a) {
                        styles_[styleKey].properties[attribute.qualifiedName().toString()] =
                            attribute.value().toString();
                    }
                } else if (name == u"text:p" || name == u"text:h") {
                    paragraphs_ << Paragraph{};
                    spanStyles = {a.value("text:style-name").toString()};
                } else if (name == u"text:span") {
                    spanStyles << a.value("text:style-name").toString();
                } else if (name == u"text:s") {
                    const int count = qMax(1, a.value("text:c").toInt());
                    append(QString(count, ' '), spanStyles);
                } else if (name == u"text:tab") {
                    append(QStringLiteral("\t"), spanStyles);
                } else if (name == u"text:line-break") {
                    append(QString(QChar::LineSeparator), spanStyles);
                }
            } else if (reader.isEndElement()) {
                if (name == u"style:style" || name == u"style:default-style") {
                    styleKey.clear();
                } else if (name == u"text:span") {
                    spanStyles.removeLast();
                } else if (name == u"text:p" || name == u"text:h") {
                    spanStyles.clear();
                }
            } else if (reader.isCharacters() && !spanStyles.isEmpty()) {
                append(reader.text().toString(), spanStyles);
            }
        }
        error_ = reader.hasError() ? reader.errorString() : QString();
    }

    QString error() const { return error_; }
    const QList<Paragraph>& paragraphs() const { return paragraphs_; }

private:
    struct Style {
        QString parent;
        QHash<QString, QString> properties;
    };

    // Innermost span first, then the paragraph style and its parents, then the defaults.
    QString property(const QStringList& spanStyles, const QString& key) const {
        for (qsizetype i = spanStyles.size() - 1; i >= 0; --i) {
            QString styleName = spanStyles[i];
            for (int depth = 0; !styleName.isEmpty() && depth < 16; ++depth) {
                const auto style = styles_.constFind(styleName);
                if (style == styles_.cend()) {
                    break;
                }
                if (style->properties.contains(key)) {
                    return style->properties.value(key);
                }
                styleName = style->parent;
            }
        }
        return styles_.value(QStringLiteral("<default>")).properties.value(key);
    }

    void append(const QString& text, const QStringList& spanStyles) {
        Paragraph& paragraph = paragraphs_.last();
        for (QChar c : text) {
            // LibreOffice reads two blanks in a row from RTF as blanks each with a six-per-em
            // space before it; the blanks are what the document holds.
            if (c == QChar(0x2006)) {
                continue;
            }
            // A word processor draws Chinese characters with the East Asian font and size.
            const bool asian = c.script() == QChar::Script_Han ||
                               (c.unicode() >= 0x3000 && c.unicode() < 0x3040) ||
                               (c.unicode() >= 0xFF00 && c.unicode() < 0xFFF0);
            const QString suffix = asian ? QStringLiteral("-asian") : QString();
            const QString face = property(spanStyles, QStringLiteral("style:font-name") + suffix);
            QString size = property(spanStyles, (asian ? QStringLiteral("style:font-size")
                                                       : QStringLiteral("fo:font-size")) +
                                                    suffix);
            size.chop(2);  // "pt"
            QString colour = property(spanStyles, QStringLiteral("fo:color"));
            paragraph.text += c;
            paragraph.formats << CharFormat{faces_.value(face, face), size.toDouble(),
                                            colour.isEmpty() ? QStringLiteral("#000000") : colour};
        }
    }

    QHash<QString, QString> faces_;
    QHash<QString, Style> styles_;
    QList<Paragraph> paragraphs_;
    QString error_;
};

// Puts pieces into a box the way the windows do; a size change stands for a caret that sits in
// text of another size.
struct Piece {
    QString family;
    quint32 colour;
    qreal points;  // 0: the size in force at the caret
    QString text;
};

void fill(DocumentBox& box, const QList<Piece>& pieces) {
    for (const Piece& piece : pieces) {
        if (piece.points > 0) {
            box.setFontPointSize(piece.points);
        }
        box.setInsertionFont(piece.family);
        box.setInsertionColour(piece.colour);
        box.replaceSelection(piece.text);
    }
}

struct Sample {
    QString fileName;
    QString defaultFamily;
    qreal defaultPoints;
    QList<Piece> pieces;
    // What a window's own insertions add after the pieces; none of their slashes and commas is
    // a phonetic code.
    QList<core::Insertion> insertions = {};
};

QList<Sample> samples() {
    const QString arial = QStringLiteral("Arial");
    const QString song = QStringLiteral("宋体");
    const QString courier = QStringLiteral("Courier");
    using core::kBlack;
    using core::kBlue;
    return {
        // The manual-input window: 宋体 14.25 pt by default.
        {QStringLiteral("manual.doc"),
         song,
         14.25,
         {{song, kBlack, 0, QStringLiteral("中文注音：龍鑫𠮷")},
          {arial, kBlack, 0, QStringLiteral(" Quality [")},
          {kPhonetic, kBlue, 0, QStringLiteral("5kwRliti")},
          {arial, kBlack, 0, QStringLiteral("]\r\n\r\n")},
          {arial, kBlack, 20, QStringLiteral("thorough /")},
          {kPhonetic, kBlue, 0, QStringLiteral("5WQrE, 7Z]\\GM{}")},
          {arial, kBlack, 0, QStringLiteral("/\r\n")},
          {song, kBlue, 9, QStringLiteral("小字蓝色")}}},
        // The smart-annotation window: "Courier" 12 pt, saved under an ".rtf" name.
        {QStringLiteral("smart.rtf"),
         courier,
         12,
         {{arial, kBlack, 0, QStringLiteral("Quality")},
          {arial, kBlack, 0, QStringLiteral(" [")},
          {kPhonetic, kBlue, 0, QStringLiteral("5kwRliti")},
          {arial, kBlack, 0, QStringLiteral("]\r\n")},
          {arial, kBlack, 9, QStringLiteral("Zhang 张三 [")},
          {kPhonetic, kBlue, 0, QStringLiteral("tFA:N")},
          {arial, kBlack, 0, QStringLiteral("]")}}},
        // The smart-annotation window's own entries: an annotated word, one typed in the
        // manual-entry dialog, and a word of two pronunciations.
        {QStringLiteral("entries.doc"),
         courier,
         12,
         {},
         {core::smartEntry(QStringLiteral("Quality"), QStringLiteral("5kwRliti"),
                           core::Marks::SquareBrackets),
          core::manualEntryLine(QStringLiteral("flimbo"), QStringLiteral("5flimbEu")),
          core::smartEntry(QStringLiteral("the"), QStringLiteral("/TE, Ti/"),
                           core::Marks::Slashes)}},
        // The batch window: the phonetic face itself is the default.
        {QStringLiteral("batch.doc"),
         kPhonetic,
         12,
         {},
         {{{core::batchLine(QStringLiteral("apple"), QStringLiteral("5Apl"))}},
          {{core::batchLine(QStringLiteral("the"), QStringLiteral("/TE, Ti/"))}},
          {{core::batchLine(QStringLiteral("air"), QStringLiteral("/E"))}},
          {{core::batchLine(QStringLiteral("xyzzy"), QString())}},
          {{core::guessedBatchLine(QStringLiteral("flimbo"), QStringLiteral("5flimbEu"))}}}},
    };
}

// LibreOffice headless, with a profile of the test's own, converting into dir's "converted".
class LibreOfficeRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(soffice.isEmpty()) << "LibreOffice (soffice) is needed for this test";
        ASSERT_TRUE(dir.isValid() && profile.isValid());
    }

    // Returns what LibreOffice said, for when a converted file is missing.
    QString convert(const QStringList& options, const QStringList& files) {
        const testing_support::ProcessOutcome outcome = testing_support::runProcess(
            soffice,
            QStringList{QStringLiteral("-env:UserInstallation=") +
                            QUrl::fromLocalFile(profile.path()).toString(),
                        QStringLiteral("--headless"), QStringLiteral("--norestore")} +
                options + QStringList{QStringLiteral("--outdir"), dir.filePath("converted")} +
                files,
            QProcessEnvironment::systemEnvironment(), 180000);
        EXPECT_TRUE(outcome.finished) << "LibreOffice did not finish";
        return QString::fromUtf8(outcome.out) + outcome.err;
    }

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QTemporaryDir dir;
    QTemporaryDir profile;
};

TEST_F(LibreOfficeRoundTrip, EveryCharacterKeepsItsTextFontSizeAndColour) {
    QStringList files;
    QList<QList<Paragraph>> expected;
    for (const Sample& sample : samples()) {
        DocumentBox box;
        box.setDefaultFormat(sample.defaultFamily, sample.defaultPoints);
        box.setLocked(true);
        fill(box, sample.pieces);
        for (const core::Insertion& insertion : sample.insertions) {
            box.insert(insertion);
        }
        const QString path = dir.filePath(sample.fileName);
        QString error;
        ASSERT_TRUE(box.saveToFile(path, &error)) << error.toStdString();
        files << path;
        expected << documentParagraphs(*box.document());
    }

    const QString log = convert({QStringLiteral("--convert-to"), QStringLiteral("fodt")}, files);

    for (qsizetype n = 0; n < files.size(); ++n) {
        SCOPED_TRACE(files[n].toStdString());
        QFile converted(
            dir.filePath("converted/" + QFileInfo(files[n]).completeBaseName() + ".fodt"));
        ASSERT_TRUE(converted.open(QIODevice::ReadOnly)) << log.toStdString();
        const FlatOdt odt(converted.readAll());
        ASSERT_TRUE(odt.error().isEmpty()) << odt.error().toStdString();

        const bool ownInsertionsOnly = samples()[n].pieces.isEmpty();
        const QList<Paragraph>& want = expected[n];
        const QList<Paragraph>& got = odt.paragraphs();
        ASSERT_EQ(got.size(), want.size());
        for (qsizetype p = 0; p < want.size(); ++p) {
            ASSERT_EQ(got[p].text, want[p].text) << "paragraph " << p;
            for (qsizetype i = 0; i < want[p].text.size(); ++i) {
                if (want[p].text[i].isSpace()) {
                    continue;  // blanks take whichever script's font stands beside them
                }
                const bool delimiter =
                    (want[p].text[i] == u'/' &&
                     (i == want[p].text.indexOf(u'/') || i == want[p].text.lastIndexOf(u'/'))) ||
                    (want[p].text[i] == u',' && want[p].text.mid(i + 1, 1) == u" ");
                if (ownInsertionsOnly && delimiter) {
                    EXPECT_NE(got[p].formats[i].family, kPhonetic)
                        << "paragraph " << p << " character " << i;
                }
                EXPECT_EQ(got[p].formats[i], want[p].formats[i])
                    << "paragraph " << p << " character " << i << " '"
                    << QString(want[p].text[i]).toStdString() << "': got "
                    << describe(got[p].formats[i]) << ", want " << describe(want[p].formats[i]);
            }
        }
    }
}

// The "复制为Unicode音标" copy pasted into a word processor: LibreOffice takes its HTML flavour
// with the HTML import that a paste uses, into a text document, and the text it holds reads as
// IPA, with no phonetic font anywhere.
TEST_F(LibreOfficeRoundTrip, TheUnicodeIpaCopyReadsAsIpaInAWordProcessor) {
    DocumentBox box;
    box.setDefaultFormat(QStringLiteral("Courier"), 12);
    const QString arial = QStringLiteral("Arial");
    using core::kBlack;
    using core::kBlue;
    fill(box, {{arial, kBlack, 0, QStringLiteral("Quality [")},
               {kPhonetic, kBlue, 0, QStringLiteral("5kwRliti")},
               {arial, kBlack, 0, QStringLiteral("]\r\nthe [")},
               {kPhonetic, kBlue, 0, QStringLiteral("/TE, Ti/")},
               {arial, kBlack, 0, QStringLiteral("] air [")},
               {kPhonetic, kBlue, 0, QStringLiteral("/E")},
               {arial, kBlack, 0, QStringLiteral("]")}});
    const std::unique_ptr<QMimeData> copy(box.unicodeIpaCopy());
    QFile html(dir.filePath("copy.html"));
    ASSERT_TRUE(html.open(QIODevice::WriteOnly));
    html.write(copy->html().toUtf8());
    html.close();

    const QString log =
        convert({QStringLiteral("--infilter=HTML (StarWriter)"), QStringLiteral("--convert-to"),
                 QStringLiteral("txt:Text (encoded):UTF8")},
                {html.fileName()});
    QFile text(dir.filePath("converted/copy.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << log.toStdString();
    QString pasted = QString::fromUtf8(text.readAll());
    pasted.remove(QChar(0xFEFF));
    pasted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(pasted.trimmed(), QStringLiteral("Quality [ˈkwɔliti]\nthe [/ðə, ði/] air [εə]"));
}

}  // namespace
