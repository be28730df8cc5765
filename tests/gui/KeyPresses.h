#pragma once
// Keys as the keyboard gives them: to an open menu, else to the widget that
// has the focus in the active window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "GuiTestSupport.h"

namespace tc::guitest {

inline QWidget* focused() { return QApplication::focusWidget(); }

inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* to = QApplication::activePopupWidget();
    if (!to) to = focused() ? focused() : QApplication::activeWindow();
    ASSERT_NE(to, nullptr) << "no window has the focus";
    QTest::keyClick(to, static_cast<Qt::Key>(key), modifiers);
}

inline void activate(QWidget* w) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w, kWaitMs));
    // A loaded X server may let a request go by: ask again until it holds.
    bool active = false;
    for (int i = 0; i < 20 && !active; ++i) {
        w->activateWindow();
        active = QTest::qWaitForWindowActive(w, 1000);
    }
    ASSERT_TRUE(active);
}

// Tab (or Shift+Tab) until `target` has the focus; false after a whole
// round without it.
inline bool tabTo(QWidget* target, bool back = false) {
    for (int i = 0; i < 40 && focused() != target; ++i) press(back ? Qt::Key_Backtab : Qt::Key_Tab);
    return focused() == target;
}

} // namespace tc::guitest
