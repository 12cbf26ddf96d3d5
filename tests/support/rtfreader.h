// A small, strict RTF reader for checking what the program writes: groups must balance, every
// byte must be 7-bit, every \f and \cf must name a table entry, and the text comes back one
// UTF-16 unit at a time with the font, size and colour in force at that point.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRgb>
#include <QString>
#include <vector>

namespace testing_support {

struct RtfChar {
    char16_t unit;   // '\n' for \par, U+2028 for \line, '\t' for \tab
    QString font;    // the face for this character's script (\loch, \hich or \dbch)
    int halfPoints;  // \fs
    QRgb colour;     // from the colour table, 0xRRGGBB; black for entry 0 (automatic)
};

struct RtfReading {
    QString error;  // empty when the RTF was well formed
    QMap<int, QString> fonts;
    QList<QRgb> colours;  // entry 0 is the automatic colour
    std::vector<RtfChar> text;
    bool ok() const { return error.isEmpty(); }
    QString plainText() const {
        QString out;
        for (const RtfChar& c : text) {
            out += QChar(c.unit);
        }
        return out;
    }
};

namespace rtf_detail {

enum class Destination { Body, FontTable, ColourTable, Skipped };

struct GroupState {
    Destination destination = Destination::Body;
    int loch = 0;  // fonts of the three script slots
    int hich = 0;
    int dbch = 0;
    int slot = 0;  // 0: \f sets all three; 1 loch, 2 hich, 3 dbch
    int halfPoints = 24;
    int colour = 0;
    int unicodeSkip = 1;
};

// East Asian text takes the \dbch face; ASCII the \loch face; the rest the \hich face.
inline bool isEastAsian(char16_t u) {
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) ||
           (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
           (u >= 0xFF00 && u <= 0xFFEF);
}

class Reader {
public:
    explicit Reader(const QByteArray& rtf) : rtf_(rtf) {}

    RtfReading read() {
        if (!rtf_.startsWith("{\\rtf1")) {
            return fail(QStringLiteral("does not start with {\\rtf1"));
        }
        while (pos_ < rtf_.size() && result_.ok()) {
            const unsigned char c = static_cast<unsigned char>(rtf_[pos_]);
            if (c == 0 || c >= 0x80) {
                fail(QStringLiteral("byte 0x%1 at %2")
                         .arg(QString::number(c, 16).rightJustified(2, u'0'),
                              QString::number(pos_)));
                break;
            }
            if (c == '{') {
                ++pos_;
                stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
            } else if (c == '}') {
                ++pos_;
                if (stack_.empty()) {
                    fail(QStringLiteral("unbalanced } at %1").arg(pos_ - 1));
                    break;
                }
                finishFontEntry();
                stack_.pop_back();
                if (stack_.empty()) {
                    checkTrailer();
                    break;
                }
            } else if (stack_.empty()) {
                fail(QStringLiteral("content outside the outer group at %1").arg(pos_));
            } else if (c == '\\') {
                ++pos_;
                control();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                character(char16_t(c));
            }
        }
        if (result_.ok() && !stack_.empty()) {
            fail(QStringLiteral("%1 groups left open").arg(stack_.size()));
        }
        return result_;
    }

private:
    RtfReading fail(const QString& why) {
        if (result_.error.isEmpty()) {
            result_.error = why;
        }
        return result_;
    }

    GroupState& state() { return stack_.back(); }

    void checkTrailer() {
        for (; pos_ < rtf_.size(); ++pos_) {
            const char c = rtf_[pos_];
            if (c != '\r' && c != '\n' && c != ' ' && c != '\0') {
                fail(QStringLiteral("content after the outer group at %1").arg(pos_));
                return;
            }
        }
    }

    void control() {
        if (pos_ >= rtf_.size()) {
            fail(QStringLiteral("backslash at the end"));
            return;
        }
        const char first = rtf_[pos_];
        if (!isLetter(first)) {
            ++pos_;
            symbol(first);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < rtf_.size() && isLetter(rtf_[pos_])) {
            ++pos_;
        }
        const QByteArray word = rtf_.mid(start, pos_ - start);
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (pos_ < rtf_.size() && rtf_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        while (pos_ < rtf_.size() && rtf_[pos_] >= '0' && rtf_[pos_] <= '9') {
            hasParameter = true;
            parameter = parameter * 10 + (rtf_[pos_] - '0');
            if (parameter > 0x7FFFFFFF) {
                fail(QStringLiteral("parameter out of range at %1").arg(pos_));
                return;
            }
            ++pos_;
        }
        if (negative && !hasParameter) {
            fail(QStringLiteral("a lone minus after \\%1").arg(QString::fromLatin1(word)));
            return;
        }
        if (negative) {
            parameter = -parameter;
        }
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') {
            ++pos_;  // the delimiter belongs to the control word
        }
        controlWord(word, hasParameter, int(parameter));
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    void symbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                character(char16_t(c));
                break;
            case '\'': {
                bool ok = false;
                const int byte = rtf_.mid(pos_, 2).toInt(&ok, 16);
                if (!ok || pos_ + 2 > rtf_.size()) {
                    fail(QStringLiteral("bad \\' at %1").arg(pos_));
                    return;
                }
                pos_ += 2;
                // The writer declares code page 1252; its lower half is Latin-1.
                character(char16_t(byte));
                break;
            }
            case '*':
                state().destination = Destination::Skipped;
                break;
            case '~':
                character(u'\u00A0');
                break;
            case '_':
                character(u'\u2011');
                break;
            case '\r':
            case '\n':
                put(u'\n');
                break;
            default:
                break;  // \- and the other symbols carry no text
        }
    }

    void controlWord(const QByteArray& word, bool hasParameter, int parameter) {
        GroupState& s = state();
        // Unicode characters count in every destination, the font table's names included.
        if (word == "uc") {
            s.unicodeSkip = qMax(0, parameter);
            return;
        }
        if (word == "u") {
            if (!hasParameter || parameter < -32768 || parameter > 65535) {
                fail(QStringLiteral("\\u with a bad value"));
                return;
            }
            put(char16_t(parameter < 0 ? parameter + 65536 : parameter));
            skip_ = s.unicodeSkip;
            return;
        }
        if (word == "fonttbl") {
            s.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            s.destination = Destination::ColourTable;
            pendingColour_ = 0;
        } else if (s.destination == Destination::FontTable) {
            if (word == "f" && hasParameter) {
                fontEntry_ = parameter;
                fontName_.clear();
            }
        } else if (s.destination == Destination::ColourTable) {
            if (word == "red") {
                pendingColour_ |= QRgb(qBound(0, parameter, 255)) << 16;
            } else if (word == "green") {
                pendingColour_ |= QRgb(qBound(0, parameter, 255)) << 8;
            } else if (word == "blue") {
                pendingColour_ |= QRgb(qBound(0, parameter, 255));
            }
        } else if (s.destination == Destination::Skipped) {
            return;
        } else if (word == "deff") {
            deff_ = parameter;
        } else if (word == "plain") {
            s.loch = s.hich = s.dbch = deff_;
            s.slot = 0;
            s.halfPoints = 24;
            s.colour = 0;
        } else if (word == "loch") {
            s.slot = 1;
        } else if (word == "hich") {
            s.slot = 2;
        } else if (word == "dbch") {
            s.slot = 3;
        } else if (word == "f") {
            if (!result_.fonts.contains(parameter)) {
                fail(QStringLiteral("\\f%1 is not in the font table").arg(parameter));
                return;
            }
            int* slots[] = {&s.loch, &s.hich, &s.dbch};
            if (s.slot == 0) {
                for (int* slot : slots) {
                    *slot = parameter;
                }
            } else {
                *slots[s.slot - 1] = parameter;
            }
            s.slot = 0;
        } else if (word == "fs") {
            if (!hasParameter || parameter <= 0) {
                fail(QStringLiteral("\\fs without a size"));
                return;
            }
            s.halfPoints = parameter;
        } else if (word == "cf") {
            if (parameter < 0 || parameter >= result_.colours.size()) {
                fail(QStringLiteral("\\cf%1 is not in the colour table").arg(parameter));
                return;
            }
            s.colour = parameter;
        } else if (word == "par") {
            put(u'\n');
        } else if (word == "line") {
            put(u'\u2028');
        } else if (word == "tab") {
            put(u'\t');
        }
        // Other words (\rtf1, \ansi, \pard, \viewkind4, \fswiss, ...) carry no text.
    }

    void character(char16_t c) {
        if (skip_ > 0) {
            --skip_;  // the fallback after \uN
            return;
        }
        GroupState& s = state();
        if (s.destination == Destination::FontTable) {
            if (c == u';') {
                finishFontEntry();
            } else if (fontEntry_ >= 0) {
                fontName_ += QChar(c);
            }
        } else if (s.destination == Destination::ColourTable) {
            if (c == u';') {
                result_.colours << pendingColour_;
                pendingColour_ = 0;
            } else if (c != u' ') {
                fail(QStringLiteral("text in the colour table"));
            }
        } else if (s.destination == Destination::Body) {
            put(c);
        }
    }

    // Text goes to the current destination; in the font table \uN adds to the name.
    void put(char16_t c) {
        GroupState& s = state();
        if (s.destination == Destination::FontTable) {
            if (fontEntry_ >= 0) {
                fontName_ += QChar(c);
            }
            return;
        }
        if (s.destination != Destination::Body) {
            return;
        }
        const int font = c < 0x80 ? s.loch : (isEastAsian(c) ? s.dbch : s.hich);
        const QRgb colour = s.colour == 0 ? 0 : result_.colours.value(s.colour) & 0xFFFFFF;
        result_.text.push_back({c, result_.fonts.value(font), s.halfPoints, colour});
    }

    void finishFontEntry() {
        if (fontEntry_ >= 0 && !stack_.empty() && state().destination == Destination::FontTable) {
            result_.fonts.insert(fontEntry_, fontName_);
        }
        fontEntry_ = -1;
        fontName_.clear();
    }

    const QByteArray& rtf_;
    qsizetype pos_ = 0;
    std::vector<GroupState> stack_;
    RtfReading result_;
    int deff_ = 0;
    int skip_ = 0;
    int fontEntry_ = -1;
    QString fontName_;
    QRgb pendingColour_ = 0;
};

}  // namespace rtf_detail

inline RtfReading readRtf(const QByteArray& rtf) {
    return rtf_detail::Reader(rtf).read();
}

}  // namespace testing_support
