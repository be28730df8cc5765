#pragma once
// Enter and Esc in a window that is not a QDialog, as a dialog has them:
// Enter presses the focused push button, otherwise the window's default
// button; Esc does what the window's close button does. Keys a control
// uses itself (Enter in a list, Esc on a pressed button) stay with it:
// only what reaches the window is taken.
#include <functional>

#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QPushButton>

class QLabel;
class QWidget;

namespace tc::windows {

class DialogKeys : public QObject {
    Q_OBJECT
public:
    // Installs the keys on `window`; `defaultButton` (may be null) is
    // marked default and is what Enter presses when no button has the focus.
    // A screen reader is told the window is a dialog (QAccessible::Dialog)
    // or a frame (QAccessible::Window) named by its title.
    static DialogKeys* install(QWidget* window, QPushButton* defaultButton,
                               QAccessible::Role role = QAccessible::Dialog);

    // A label that the mouse clicks to open an address takes the focus
    // from Tab too, shows it with a dotted frame, and opens with Enter or
    // Space (`open`), as a button would.
    static void keyLink(QLabel* label, std::function<void()> open);

    void setDefaultButton(QPushButton* button);
    QPushButton* defaultButton() const { return default_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DialogKeys(QWidget* window);
    QWidget* window_ = nullptr;
    QPointer<QPushButton> default_;
};

} // namespace tc::windows
