// The phonetic font draws every phonetic code as the IPA symbol of the notation table: each code's
// glyph in Ksphonet.ttf is compared with the symbol's glyph in DejaVu Sans, outline by outline
// and as drawn by QPainter in the face the windows ask for.
#include <gtest/gtest.h>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QStringList>
#include <cstdint>
#include <map>
#include <string>

#include "notation.h"

namespace {

const QString kFamily = QStringLiteral("Kingsoft Phonetic Plain");
const QString kSourceFont = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
constexpr qreal kPixelSize = 256;

QString phoneticFontFile() {
    return QStringLiteral(VOXSCRIBE_PROGRAM_DIR "/Ksphonet.ttf");
}

// Code -> symbol, derived from both code columns of the notation table; every other printable
// ASCII character draws itself.
std::map<char, char32_t> expectedSymbols() {
    std::map<char, char32_t> symbols;
    for (const sonabet::notation::Code& code : sonabet::notation::codes()) {
        const std::u32string symbol = QString::fromStdString(code.symbol).toStdU32String();
        for (const std::string& column : {code.keyboard, code.dictionary}) {
            if (column.empty()) {
                continue;
            }
            EXPECT_EQ(column.size(), symbol.size()) << "code " << column << " " << code.symbol;
            for (std::size_t i = 0; i < column.size() && i < symbol.size(); ++i) {
                symbols.emplace(column[i], symbol[i]);
            }
        }
    }
    for (char c = 0x20; c <= 0x7E; ++c) {
        symbols.emplace(c, static_cast<char32_t>(c));
    }
    return symbols;
}

QString fromCodePoint(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

quint32 glyphOf(const QRawFont& font, const QString& text) {
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    return glyphs.size() == 1 ? glyphs.front() : 0;
}

qreal advanceOf(const QRawFont& font, quint32 glyph) {
    const QList<QPointF> advances = font.advancesForGlyphIndexes({glyph});
    return advances.isEmpty() ? -1 : advances.front().x();
}

QString describe(char code) {
    return QStringLiteral("'%1' (0x%2)")
        .arg(QChar(code), QString::number(int(code), 16).rightJustified(2, u'0'));
}

class PhoneticFont : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(kSourceFont)) {
            GTEST_SKIP() << kSourceFont.toStdString()
                         << " not found; install fonts-dejavu-core to compare the glyphs";
        }
        ours_.loadFromFile(phoneticFontFile(), kPixelSize, QFont::PreferNoHinting);
        source_.loadFromFile(kSourceFont, kPixelSize, QFont::PreferNoHinting);
        ASSERT_TRUE(ours_.isValid()) << phoneticFontFile().toStdString();
        ASSERT_TRUE(source_.isValid());
    }

    QRawFont ours_;
    QRawFont source_;
};

TEST_F(PhoneticFont, EveryCodeHasTheOutlineAndAdvanceOfItsSymbol) {
    const std::map<char, char32_t> symbols = expectedSymbols();
    ASSERT_EQ(symbols.size(), 95u);
    QStringList wrong;
    int replaced = 0;
    for (const auto& [code, symbol] : symbols) {
        const quint32 ourGlyph = glyphOf(ours_, QString(QChar(code)));
        const quint32 sourceGlyph = glyphOf(source_, fromCodePoint(symbol));
        ASSERT_NE(sourceGlyph, 0u) << "DejaVu Sans lacks U+" << std::hex << std::uint32_t(symbol);
        if (ourGlyph == 0) {
            wrong << describe(code) + QStringLiteral(" has no glyph");
            continue;
        }
        const QPainterPath ourPath = ours_.pathForGlyph(ourGlyph);
        if (ourPath != source_.pathForGlyph(sourceGlyph) ||
            advanceOf(ours_, ourGlyph) != advanceOf(source_, sourceGlyph)) {
            wrong << describe(code) + QStringLiteral(" does not draw ") + fromCodePoint(symbol);
        }
        if (symbol != static_cast<char32_t>(code)) {
            ++replaced;
        }
    }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QStringLiteral("; ")).toStdString();
    // Codes drawn as something else: F W V T N, A E Q C R /, the marks : 5 7 "," and the 14
    // rare-symbol codes.
    EXPECT_EQ(replaced, 29);
}

TEST_F(PhoneticFont, SymbolFontAreaRepeatsTheAsciiGlyphs) {
    for (char16_t c = 0x20; c <= 0x7E; ++c) {
        const quint32 ascii = glyphOf(ours_, QString(QChar(c)));
        const quint32 symbolArea = glyphOf(ours_, QString(QChar(char16_t(0xF000 + c))));
        EXPECT_NE(symbolArea, 0u) << describe(char(c)).toStdString();
        EXPECT_EQ(symbolArea, ascii) << describe(char(c)).toStdString();
    }
}

TEST_F(PhoneticFont, FullWidthCommaIsACommaInAnEmWideCell) {
    const quint32 glyph = glyphOf(ours_, QStringLiteral("\uFF0C"));
    ASSERT_NE(glyph, 0u);
    const quint32 comma = glyphOf(source_, QStringLiteral(","));
    EXPECT_EQ(ours_.pathForGlyph(glyph), source_.pathForGlyph(comma));
    EXPECT_DOUBLE_EQ(advanceOf(ours_, glyph), kPixelSize);
    // Not the stress mark that "," draws in this font.
    EXPECT_NE(ours_.pathForGlyph(glyph), ours_.pathForGlyph(glyphOf(ours_, QStringLiteral(","))));
}

TEST_F(PhoneticFont, FaceIsKingsoftPhoneticPlainRegular) {
    EXPECT_EQ(ours_.familyName(), kFamily);
    EXPECT_EQ(ours_.styleName(), QStringLiteral("Regular"));
    EXPECT_EQ(ours_.weight(), QFont::Normal);
    EXPECT_EQ(ours_.style(), QFont::StyleNormal);
    const int id = QFontDatabase::addApplicationFont(phoneticFontFile());
    ASSERT_GE(id, 0);
    EXPECT_EQ(QFontDatabase::applicationFontFamilies(id), QStringList{kFamily});
}

// What a window shows: the code in the face "Kingsoft Phonetic Plain" and the symbol in DejaVu
// Sans, each drawn alone at the same baseline, give the same pixels, unhinted and with the
// font's own TrueType hints. (FreeType's light auto-hinter is left out: it measures capital and
// figure heights from the letters the character map gives it, and here "E", "O", "T" and others
// give IPA letters, so its rounding may differ by a pixel row.)
TEST_F(PhoneticFont, EachCodeDrawnInTheFaceLooksLikeItsSymbol) {
    ASSERT_GE(QFontDatabase::addApplicationFont(phoneticFontFile()), 0);
    const int sourceId = QFontDatabase::addApplicationFont(kSourceFont);
    ASSERT_GE(sourceId, 0);
    const QString sourceFamily = QFontDatabase::applicationFontFamilies(sourceId).value(0);

    const auto draw = [](const QFont& font, const QString& text) {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(8, 48), text);
        return image;
    };
    for (const QFont::HintingPreference hinting :
         {QFont::PreferNoHinting, QFont::PreferFullHinting}) {
        QFont phonetic(kFamily);
        QFont reference(sourceFamily);
        for (QFont* font : {&phonetic, &reference}) {
            font->setPixelSize(40);
            font->setStyleStrategy(QFont::NoFontMerging);
            font->setHintingPreference(hinting);
        }
        ASSERT_EQ(QFontInfo(phonetic).family(), kFamily);

        QStringList wrong;
        int inked = 0;
        const QImage blank = draw(reference, QString());
        for (const auto& [code, symbol] : expectedSymbols()) {
            const QImage ours = draw(phonetic, QString(QChar(code)));
            if (ours != draw(reference, fromCodePoint(symbol))) {
                wrong << describe(code);
            }
            if (ours != blank) {
                ++inked;
            }
        }
        EXPECT_TRUE(wrong.isEmpty())
            << "hinting " << hinting
            << ", drawn unlike their symbols: " << wrong.join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(inked, 94) << "hinting " << hinting;  // all but the blank leave ink
    }
}

}  // namespace
