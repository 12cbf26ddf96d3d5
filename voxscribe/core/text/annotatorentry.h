// What the text annotator keeps of each different word of a text; shared by the annotator and its
// choice of a word's form in context.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "contextmodel.h"
#include "textannotator.h"
#include "wordforms.h"

namespace core {

struct TextAnnotator::Entry {
    QString typed;
    QString key;  // levelKey(typed)
    int identity = 0;
    bool compound = false;
    bool knownToReader = false;
    bool stressed = false;  // written in capitals
    int article = -1;       // in kArticles
    int weak = -1;          // in kWeakForms
    const Heteronym* heteronym = nullptr;
    WordClass wordClass = WordClass::Other;
    bool lookedUp = false;
    bool guessed = false;
    QString codes;
    QStringList forms;  // the pronunciations of codes
    // With American codes: the British forms, which the choice of a heteronym's form reads.
    // With both: the American forms, each beside the British one of the same place.
    QStringList britishForms;
    QStringList americanForms;
    wordforms::Sound sound = wordforms::Sound::Unknown;  // the first sound of codes
    // The first sound of the American transcription where both accents are shown; sound otherwise.
    wordforms::Sound americanSound = wordforms::Sound::Unknown;
    Gloss gloss = Gloss::Missing;
    int form = -1;  // the number of the form shown where nothing else decides
    std::vector<int> formNumbers;
    int beforeConsonant = -1;  // forms by the next word: an article's, "to"'s, a weak form
    int beforeVowel = -1;
};

}  // namespace core
