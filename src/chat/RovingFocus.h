#pragma once
// A row of like controls that is one stop of Tab and Shift+Tab (the tiles,
// the seats, the phrase buttons): only the member last focused takes the
// focus from Tab, and the arrow keys move between the members (Left and
// Up back, Right and Down on, Home and End to the ends), skipping hidden
// ones. No member takes the focus from a mouse click, so clicking the
// table never pulls the focus out of the chat input.
#include <vector>

#include <QObject>

class QWidget;

namespace tc::chat {

class RovingFocus : public QObject {
    Q_OBJECT
public:
    // `members` in their order; they are chained in the focus order in it
    // and must outlive this object (make it a child of one of them or of
    // their parent).
    RovingFocus(std::vector<QWidget*> members, QObject* parent);

    // The member that Tab reaches (0-based).
    int current() const { return current_; }
    QWidget* member(int index) const;
    int count() const { return static_cast<int>(members_.size()); }
    QWidget* first() const { return members_.front(); }
    QWidget* last() const { return members_.back(); }

    // Puts `widgets` one after the other in the focus order, whatever their
    // focus policies (Qt leaves a widget without one where it is).
    static void chain(const std::vector<QWidget*>& widgets);

signals:
    void moved(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeCurrent(int index);
    // The next shown member from `from` in `step` (+1 or -1), or -1.
    int shownFrom(int from, int step) const;

    std::vector<QWidget*> members_;
    int current_ = 0;
};

} // namespace tc::chat
