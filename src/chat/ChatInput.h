#pragma once
// The chat input box `mychat`. It starts showing "<Enter Chat Here>" as
// real text; the first key pressed while the whole text is exactly that
// empties it. Enter is swallowed and reported as sendRequested; the owner
// decides what is sent and then calls clear() (sent, refused "/" line) or
// leaves the text (not logged in). A key with Alt is the window's (menus,
// table keys), never text.
#include <QLineEdit>

#include "net/Colour.h"

class QAction;
class QMenu;

namespace tc::chat {

using net::Colour;

class ChatInput : public QLineEdit {
    Q_OBJECT
public:
    // "<Enter Chat Here>" in the player's language.
    static QString placeholder();

    explicit ChatInput(QWidget* parent = nullptr);

    // The player's chat colour; the box's text is drawn in it.
    void setChatColour(tc::net::Colour colour);
    tc::net::Colour chatColour() const { return colour_; }

    // Own lines queued to be sent (paced to the server's limit): while
    // any wait, the empty box and its tool tip say how many.
    void setWaitingLines(int count);

    // The context menu PopupMenu2 with its one item "Paste" (Ctrl+V).
    QMenu* contextMenu() const { return menu_; }
    QAction* pasteAction() const { return paste_; }

public slots:
    // Paste: appends the clipboard's text (a placeholder stays in front),
    // caret to the end, nothing selected. No text on the clipboard: nothing.
    void pasteAppend();
    // A smiley chosen from the menu: tag 10..27 appends ":)#<tag>" after
    // emptying a placeholder; caret to the end. Other tags are ignored.
    void insertSmiley(int tag);
    // The table's scale: the frame grows with the box (the text's size is
    // the table's business).
    void setTableScale(double scale, double pictureScale);

signals:
    // Enter was pressed; `text` is the box's text at that moment (empty
    // when Enter was the first key on the placeholder).
    void sendRequested(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void applyColour();

    tc::net::Colour colour_ = net::kBlack;
    QMenu* menu_ = nullptr;
    QAction* paste_ = nullptr;
};

} // namespace tc::chat
