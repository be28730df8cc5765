#include "chat/ReaderRoles.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace tc::chat::reader {
namespace {

constexpr const char* kReadOnlyText = "tc_reader_readonlytext";
constexpr const char* kWindowRole = "tc_reader_windowrole";
constexpr const char* kHidden = "tc_reader_hidden";
constexpr const char* kHasHidden = "tc_reader_hashidden";

// The children a reader sees: Qt's choice, less the pictures marked hidden.
QList<QWidget*> shownChildren(const QWidget* widget) {
    QList<QWidget*> out;
    for (QObject* o : widget->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || qobject_cast<QFocusFrame*>(w) || qobject_cast<QMenu*>(w)) continue;
        if (w->objectName() == QLatin1String("qt_rubberband") || w->property(kHidden).toBool()) continue;
        out << w;
    }
    return out;
}

// A widget whose children leave the hidden ones out; a window's role is
// the one it was given.
class Filtered : public QAccessibleWidget {
public:
    Filtered(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    int childCount() const override { return int(shownChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> kids = shownChildren(widget());
        return index >= 0 && index < kids.size() ? QAccessible::queryAccessibleInterface(kids.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        return int(shownChildren(widget()).indexOf(qobject_cast<QWidget*>(child->object())));
    }
};

// A read-only rich text: the document's text with the offsets of its
// positions (a paragraph's end is a line break, a picture one character).
class ReadOnlyText : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyText(QTextEdit* e) : QAccessibleWidget(e, QAccessible::EditableText) {}

    QTextEdit* edit() const { return static_cast<QTextEdit*>(widget()); }
    QTextDocument* doc() const { return edit()->document(); }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    void selection(int index, int* start, int* end) const override {
        const QTextCursor c = edit()->textCursor();
        *start = *end = 0;
        if (index == 0 && c.hasSelection()) {
            *start = c.selectionStart();
            *end = c.selectionEnd();
        }
    }
    int selectionCount() const override { return edit()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override {
        QTextCursor c = edit()->textCursor();
        c.clearSelection();
        edit()->setTextCursor(c);
    }
    void setSelection(int, int start, int end) override {
        QTextCursor c(doc());
        c.setPosition(clamp(start));
        c.setPosition(clamp(end), QTextCursor::KeepAnchor);
        edit()->setTextCursor(c);
    }
    int cursorPosition() const override { return edit()->textCursor().position(); }
    void setCursorPosition(int position) override {
        QTextCursor c = edit()->textCursor();
        c.setPosition(clamp(position));
        edit()->setTextCursor(c);
    }
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
    QString text(int start, int end) const override {
        QTextCursor c(doc());
        c.setPosition(clamp(start));
        c.setPosition(clamp(end), QTextCursor::KeepAnchor);
        QString s = c.selectedText();
        s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        s.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return s;
    }
    int characterCount() const override { return doc()->characterCount() - 1; }
    QRect characterRect(int offset) const override {
        QTextCursor c(doc());
        c.setPosition(clamp(offset));
        QRect r = edit()->cursorRect(c);
        if (offset < characterCount()) {
            c.setPosition(clamp(offset + 1));
            const QRect next = edit()->cursorRect(c);
            if (next.top() == r.top() && next.left() > r.left()) r.setRight(next.left() - 1);
        }
        return QRect(edit()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint local = edit()->viewport()->mapFromGlobal(point);
        if (!edit()->viewport()->rect().contains(local)) return -1;
        return edit()->cursorForPosition(local).position();
    }
    void scrollToSubstring(int start, int end) override {
        // The reader's own cursor: the text scrolled to it, as a click would.
        setSelection(0, start, end);
        edit()->ensureCursorVisible();
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = offset;
        *end = offset;
        return {};
    }

private:
    int clamp(int position) const { return std::clamp(position, 0, characterCount()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    // Decided once per object, at its own class.
    if (!w || className != QLatin1String(object->metaObject()->className())) return nullptr;
    if (w->property(kReadOnlyText).toBool())
        if (auto* edit = qobject_cast<QTextEdit*>(w)) return new ReadOnlyText(edit);
    const QVariant role = w->property(kWindowRole);
    if (role.isValid()) return new Filtered(w, static_cast<QAccessible::Role>(role.toInt()));
    if (w->property(kHasHidden).toBool()) return new Filtered(w, QAccessible::Client);
    return nullptr;
}

void installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(&factory);
        return true;
    }();
    (void)installed;
}

} // namespace

void markReadOnlyText(QTextEdit* edit) {
    installFactory();
    edit->setProperty(kReadOnlyText, true);
}

void markWindow(QWidget* window, QAccessible::Role role) {
    installFactory();
    window->setProperty(kWindowRole, int(role));
}

void hide(QWidget* picture) {
    installFactory();
    picture->setProperty(kHidden, true);
    if (QWidget* parent = picture->parentWidget()) parent->setProperty(kHasHidden, true);
}

} // namespace tc::chat::reader
