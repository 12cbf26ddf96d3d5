// Controls carry the names of the window designs as object names: tests and the style sheets find
// them by these, and a recovery copy keeps a window's settings under them.
#pragma once

#include <QObject>
#include <QString>
#include <initializer_list>
#include <utility>

namespace widgets {

inline void nameObjects(std::initializer_list<std::pair<QObject*, const char*>> names) {
    for (const auto& [object, name] : names) {
        object->setObjectName(QString::fromLatin1(name));
    }
}

}  // namespace widgets
