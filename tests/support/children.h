// A window's control found by its object name, the test failing where there is none.
#pragma once

#include <gtest/gtest.h>
#include <QObject>
#include <QString>

namespace testing_support {

template <class T>
T* childOf(const QObject& parent, const QString& name) {
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

}  // namespace testing_support
