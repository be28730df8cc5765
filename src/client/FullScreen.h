#pragma once
// View > Full Screen (F11): the table on the whole screen and back. The
// choice is kept in the settings file under a key of its own, so a window
// closed in full screen comes back so; the stored place stays the normal
// window's (WindowPlacement::current).
#include <string>
#include <utility>
#include <vector>

#include <QObject>

class QAction;
class QMainWindow;

namespace tc::store {
class IniFile;
}

namespace tc::client {

class MainMenus;

class FullScreen : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kKey = "FullScreen";

    // Adds the checkable item "Full Screen" to the View menu of `menus`.
    FullScreen(QMainWindow* window, MainMenus& menus);

    QAction* action() const { return action_; }
    // Full screen on or off; a window maximized before comes back maximized.
    void set(bool on);
    bool isOn() const;

    // The stored choice (absent or anything but "1": off), applied.
    void restore(const store::IniFile& ini);
    // The key to write at close; empty when the file already says so.
    std::vector<std::pair<std::string, std::string>> toWrite() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMainWindow* window_;
    QAction* action_;
    bool wasMaximized_ = false;
    bool stored_ = false;  // what the file says
};

} // namespace tc::client
