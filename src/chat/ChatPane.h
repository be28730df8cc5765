#pragma once
// The chat pane `mainchat`: a read-only rich-text view that shows chat
// lines in 15 text-style entries, with links and smiley pictures.
//
// Adding a line appends at the end of the document and never touches
// earlier text: the document keeps each run of text in the colour it was
// added in, and runs whose entry has since changed colour are drawn in
// the entry's current colour through overrides kept for the visible part
// of the pane only. So a colour change costs the same on a pane of twenty
// lines and of twenty thousand.
#include <QTextBrowser>
#include <QTextCursor>
#include <QTimer>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "chat/ChatLineParser.h"
#include "net/Colour.h"
#include "chat/TextStyles.h"

class QAction;
class QMenu;

namespace tc::chat {

using net::Colour;

class LinkOpener;
class DesktopLinkOpener;

class ChatPane : public QTextBrowser {
    Q_OBJECT
public:
    // The pane keeps at most this many lines; past it the oldest
    // kTrimLines go at once, so a flood of lines cannot use up memory.
    static constexpr int kMaxLines = 50000;
    static constexpr int kTrimLines = 5000;

    explicit ChatPane(QWidget* parent = nullptr);
    ~ChatPane() override;

    // Changes the line limit (kMaxLines, kTrimLines); tests use small ones.
    void setLineLimit(int maxLines, int trimLines);

    // addlinetochat: `line` is "slot+text" (slot 0..9, 0 for a system
    // line), shown in `colour`, which also becomes the colour of every
    // earlier line of that slot. A line whose slot does not read or lies
    // outside 0..9 is refused: nothing is shown and nothing reported.
    void addLineToChat(const QString& line, tc::net::Colour colour);

    // Where link clicks go. Not owned; nullptr restores the desktop opener.
    void setLinkOpener(LinkOpener* opener);

    // Text Size: all entries take `points` (clamped to 6..72); the pane
    // shows it from the next added line on.
    void setTextSize(int points);
    // Lays the lines already in the pane out again at the current size
    // (the settings file's size is shown as soon as it is read).
    void showTextSize();
    int textSize() const { return styles_.size(); }

    // Scroll Chat Off: while on, added lines leave the scroll position.
    bool scrollChatOff() const;
    void setScrollChatOff(bool off);

    // The context menu PopupMenu1 and its actions. scrollChatOffAction()
    // is checkable, carries Ctrl+S for the whole window and may be added
    // as it is to the main window's Options menu (one action, two places,
    // one check mark).
    QMenu* contextMenu() const { return menu_; }
    QAction* selectAllAction() const { return selectAll_; }
    QAction* copyAction() const { return copy_; }
    QAction* clearChatAction() const { return clearChat_; }
    QAction* scrollChatOffAction() const { return scrollOff_; }

    const TextStyles& textStyles() const { return styles_; }
    // The colour the text at document position `position` is drawn in
    // (its entry's current colour; a link's own colour).
    QColor textColourAt(int position) const;
    int linkCounter() const { return parser_.linkCounter(); }
    // The address of link k as stored (with its trailing space).
    std::optional<QString> linkurls(int k) const;

public slots:
    // Clear Chat: empties the pane and the link table (counter -1), then
    // asks for the input box's focus (focusInputRequested).
    void clearChat();
    // Select All: the whole content; nothing on an empty pane.
    void selectAllChat();
    // Copy: the selection as plain text; nothing without a selection.
    void copySelection();
    // mainchatJump: opens link k if its address is a web address, else
    // (or for an unknown k) reports "Cannot open Webpage".
    void mainchatJump(int k);
    // The table's scale: text and smileys at `scale` times their size,
    // smileys drawn at `pictureScale` pixels per 1x pixel. The lines in
    // the pane take it at once, or a moment later when there are many (a
    // window being dragged larger is not held up); the scroll position
    // and the selection stay.
    void setTableScale(double scale, double pictureScale);

signals:
    void focusInputRequested();
    void scrollChatOffChanged(bool off);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    QVariant loadResource(int type, const QUrl& name) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Text of one entry added in one colour, in document order. Positions
    // are absolute (document position + base_) so trimming the front of
    // the document does not rewrite them.
    struct Run {
        qint64 start;
        qint64 end;
        int entry;
        Colour colour;
    };

    void applyLook();
    void resetDocument();
    QTextCharFormat formatFor(int entry) const;
    void addRun(int entry, Colour colour, qint64 start, qint64 end);
    void refreshOverrides();
    const Run* runAt(qint64 absolute) const;
    void trimIfNeeded();
    void onAnchorClicked(const QUrl& url);
    // Runs `change` and scrolls so the line at the top of the view stays
    // there (or the view stays at the end when it was there).
    void keepPlace(const std::function<void()>& change);
    void showTableScale();
    QString smileyName(int index) const;

    ChatLineParser parser_;
    TextStyles styles_;
    double shownSize_ = 10;  // text size the document's items have (points, scaled)
    double tableScale_ = 1.0;
    double pictureScale_ = 1.0;
    double shownTableScale_ = 1.0;     // what the smileys in the document have
    double shownPictureScale_ = 1.0;
    QTimer* rescale_ = nullptr;
    std::deque<Run> runs_;
    std::deque<int> lineFirstLink_;  // link counter + 1 at each line's start
    qint64 base_ = 0;
    int maxLines_ = kMaxLines;
    int trimLines_ = kTrimLines;
    bool empty_ = true;
    QTextCursor end_;

    QMenu* menu_ = nullptr;
    class ScaledStyle* scaledStyle_ = nullptr;  // the scroll bars' and the menu's, once scaled
    QAction* selectAll_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* clearChat_ = nullptr;
    QAction* scrollOff_ = nullptr;

    std::unique_ptr<DesktopLinkOpener> desktopOpener_;
    LinkOpener* opener_ = nullptr;
};

} // namespace tc::chat
