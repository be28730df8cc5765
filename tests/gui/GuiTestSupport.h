#pragma once
// Helpers shared by the GUI tests: waiting on the event loop, finding
// widgets by objectName, and recorders for the window's seams.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "session/ClientSoundPlayer.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace tc::guitest {

// Generous: CI machines are slow and shared.
inline constexpr int kWaitMs = 20000;

inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

template <typename T>
T* find(QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no " << name.toStdString();
    return found;
}

class SoundRecorder : public client::ClientSoundPlayer {
public:
    void play(const std::string& name) override { names << QString::fromStdString(name); }
    int count(const QString& name) const { return static_cast<int>(names.count(name)); }
    QStringList names;
};

} // namespace tc::guitest
