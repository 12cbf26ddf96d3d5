// Where each part of a hyphenated word begins in eSpeak NG's phoneme names.
#pragma once

#include <QString>
#include <QStringList>

namespace core {

// eSpeak runs the parts of a hyphenated word together ("high-speed" "h_'aI_s_p_'i:_d"), so the
// rules could not tell where a part begins. wordNames: eSpeak's names of one such word;
// partNames: those of each of its parts read alone ("h_'aI", "s_p_'i:_d"). The word's names with
// a "-" where each part begins ("h_'aI_-_s_p_'i:_d"), the parts found from the front and from the
// back of the word (a vowel may differ, eSpeak weakens some in a compound); a hyphen whose place
// neither finds is left out.
QString withHyphens(const QString& wordNames, const QStringList& partNames);

}  // namespace core
