#pragma once
// What a screen reader is told a widget is, where Qt's own answer misleads:
// a read-only text pane (Qt calls a QTextBrowser a label, so a reader never
// offers to read it line by line), a window beside the main one (a plain
// QWidget window is a "filler" to Qt, not a dialog or a frame), and a
// picture that only decorates (left out of its parent's children, so a
// reader never stops on it). Each call marks the widget; the interfaces are
// made when a reader first asks for it.
#include <QAccessible>

class QTextEdit;
class QWidget;

namespace tc::chat::reader {

// A read-only, multi-line text with its whole text interface: role
// EditableText with the read-only state (AT-SPI: "text", not editable).
void markReadOnlyText(QTextEdit* edit);
// `window` is a dialog (QAccessible::Dialog) or a frame (QAccessible::Window)
// named by its title.
void markWindow(QWidget* window, QAccessible::Role role);
// `picture` is left out of the tree.
void hide(QWidget* picture);

} // namespace tc::chat::reader
