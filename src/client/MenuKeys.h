#pragma once
// The menus by keyboard: every title of the menu bar and every item of its
// menus and of the window's pop-up menus gets a mnemonic (Alt+F opens File; a letter
// picks an item of an open menu), and F10 opens the first menu. Letters are
// chosen from the captions themselves, so a caption reads as it always did,
// only with one letter underlined, and a translated caption gets letters of
// its own. The bar's letters never take R or a digit: Alt+R and Alt+1..9
// play the table.
#include <QObject>

class QMainWindow;
class QMenu;
class QAction;

namespace tc::client {

class MenuKeys : public QObject {
    Q_OBJECT
public:
    explicit MenuKeys(QMainWindow* window);

    // Gives every item of `items` without a mnemonic one of its own letters
    // (or digits) that no other item there has and that `reserved` does not
    // hold; digits first, then the first letters of words, then any letter.
    // An item whose letters the others took first gets one of them when
    // those can move to other letters of their own; only an item whose
    // letters cannot all be freed stays without.
    static void mark(const QList<QAction*>& items, const QString& reserved = {});
    // `menu` and every sub-menu in it.
    static void markMenu(QMenu* menu);
    // A caption without its mnemonic marker ("&&" stays one "&").
    static QString plain(const QString& caption);

    // (Re)marks the bar and every pop-up menu of the window: after captions
    // change.
    void markAll();

private:
    QMainWindow* window_ = nullptr;
};

} // namespace tc::client
