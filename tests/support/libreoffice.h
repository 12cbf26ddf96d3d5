// A real word processor for the tests: headless LibreOffice converting documents with a profile
// of the test's own, and a reader of the flat OpenDocument text it writes that says what each
// character looks like.
#pragma once

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <QXmlStreamReader>

#include "process.h"

namespace testing_support {

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

inline std::string describe(const CharFormat& f) {
    return QStringLiteral("%1 %2pt %3")
        .arg(f.family, QString::number(f.points), f.colour)
        .toStdString();
}

// What the window holds, with sizes as RTF can carry them (half points).
inline QList<Paragraph> documentParagraphs(const QTextDocument& document) {
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

class LibreOffice {
public:
    bool ready() const { return !soffice_.isEmpty() && dir.isValid() && profile_.isValid(); }
    QString problem() const {
        return QStringLiteral("LibreOffice (soffice) is needed for this test");
    }

    // Converts files into dir's "converted"; returns what LibreOffice said, for when a converted
    // file is missing.
    QString convert(const QStringList& options, const QStringList& files) {
        const ProcessOutcome outcome = runProcess(
            soffice_,
            QStringList{QStringLiteral("-env:UserInstallation=") +
                            QUrl::fromLocalFile(profile_.path()).toString(),
                        QStringLiteral("--headless"), QStringLiteral("--norestore")} +
                options + QStringList{QStringLiteral("--outdir"), dir.filePath("converted")} +
                files,
            QProcessEnvironment::systemEnvironment(), 180000);
        EXPECT_TRUE(outcome.finished) << "LibreOffice did not finish";
        return QString::fromUtf8(outcome.out) + outcome.err;
    }
    // Where convert puts the file at path converted to the format of that suffix.
    QString convertedPath(const QString& path, const QString& suffix) const {
        return dir.filePath(QStringLiteral("converted/") + QFileInfo(path).completeBaseName() +
                            u'.' + suffix);
    }
    // A document as LibreOffice reads it, converted to flat OpenDocument text.
    FlatOdt read(const QString& path, QString* log = nullptr) {
        const QString said =
            convert({QStringLiteral("--convert-to"), QStringLiteral("fodt")}, {path});
        if (log != nullptr) {
            *log = said;
        }
        QFile converted(convertedPath(path, QStringLiteral("fodt")));
        return FlatOdt(converted.open(QIODevice::ReadOnly) ? converted.readAll() : QByteArray());
    }

    QTemporaryDir dir;

private:
    QString soffice_ = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QTemporaryDir profile_;
};

}  // namespace testing_support
