// A text annotated into segments, each holding its own text, for a test or a benchmark to compare
// or count.
#pragma once

#include <QList>
#include <QString>

#include "textannotator.h"

namespace testing_support {

struct TextSegment {
    QString text;
    bool isWord = false;
    core::Gloss gloss = core::Gloss::Missing;  // words only
    QString codes;
    QString american;  // with both accents, the American form beside codes
    bool operator==(const TextSegment&) const = default;
};

struct TextAnnotation {
    QList<TextSegment> segments;
    core::TextCounts counts;
};

class SegmentCollector final : public core::TextSink {
public:
    void between(QStringView text) override {
        if (!segments.isEmpty() && !segments.back().isWord) {
            segments.back().text += text;
            return;
        }
        segments.push_back({text.toString(), false, core::Gloss::Missing, {}, {}});
    }
    void word(const core::WordSegment& word) override {
        segments.push_back({word.text.toString(), true, word.gloss, word.codes.toString(),
                            word.american.toString()});
    }
    QList<TextSegment> segments;
};

// One whole run into segments.
inline TextAnnotation annotateText(core::TextAnnotator& annotator, QStringView text) {
    SegmentCollector collector;
    const core::TextCounts counts = annotator.annotate(text, collector);
    return {std::move(collector.segments), counts};
}

// The same with an annotator of its own.
inline TextAnnotation annotateText(QStringView text, core::WordSource& words,
                                   const core::TextOptions& options) {
    core::TextAnnotator annotator(words, options);
    return annotateText(annotator, text);
}

}  // namespace testing_support
