#pragma once
// A left click in the middle of a widget, as a player makes it.

#include <QTest>
#include <QWidget>

namespace zbtest {

inline void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

} // namespace zbtest
