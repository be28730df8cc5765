#include "client/MenuKeys.h"

#include <functional>

#include <QAction>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QShortcut>

namespace tc::client {
namespace {

// Where a lone '&' stands in `text`, or -1.
qsizetype markerAt(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] != QLatin1Char('&')) return i;
        ++i;  // "&&" is a plain '&'
    }
    return -1;
}

// The positions of `text` worth a mnemonic, best first.
QList<qsizetype> candidates(const QString& text) {
    QList<qsizetype> digits, initials, rest;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit())
            digits << i;
        else if (c.isLetter())
            (i == 0 || !text[i - 1].isLetterOrNumber() ? initials : rest) << i;
    }
    return digits + initials + rest;
}

} // namespace

QString MenuKeys::plain(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

void MenuKeys::mark(const QList<QAction*>& items, const QString& reserved) {
    QString fixed = reserved.toLower();
    for (QAction* a : items) {
        const QString text = a->text();
        const qsizetype at = markerAt(text);
        if (at >= 0) fixed += text[at + 1].toLower();
    }
    struct Item {
        QAction* action;
        QList<qsizetype> at;  // where a marker may go, best first
        qsizetype chosen = -1;
    };
    QList<Item> open;
    for (QAction* a : items) {
        const QString text = a->text();
        if (a->isSeparator() || text.isEmpty() || markerAt(text) >= 0) continue;
        open.push_back({a, candidates(text)});
    }
    QHash<QChar, qsizetype> owner;  // a letter given in this pass: to which item
    auto letter = [&](qsizetype item, qsizetype at) { return open[item].action->text()[at].toLower(); };
    // Each item its best free letter, in the menu's order.
    for (qsizetype n = 0; n < open.size(); ++n)
        for (qsizetype at : open[n].at) {
            const QChar c = letter(n, at);
            if (fixed.contains(c) || owner.contains(c)) continue;
            owner.insert(c, n);
            open[n].chosen = at;
            break;
        }
    // An item left without takes a letter from one that can move to
    // another of its own (a path of such moves, as long as it takes), so
    // only an item whose letters all stay taken goes without.
    std::function<bool(qsizetype, QSet<QChar>&)> place = [&](qsizetype n, QSet<QChar>& seen) {
        for (qsizetype at : open[n].at) {
            const QChar c = letter(n, at);
            if (fixed.contains(c) || seen.contains(c)) continue;
            seen.insert(c);
            if (owner.contains(c) && !place(owner.value(c), seen)) continue;
            owner.insert(c, n);
            open[n].chosen = at;
            return true;
        }
        return false;
    };
    for (qsizetype n = 0; n < open.size(); ++n)
        if (open[n].chosen < 0) {
            QSet<QChar> seen;
            place(n, seen);
        }
    for (const Item& item : open) {
        if (item.chosen < 0) continue;
        QString marked = item.action->text();
        marked.insert(item.chosen, QLatin1Char('&'));
        // Whatever toggles or follows the item keeps its text as the
        // reader's name: the underline is not spoken.
        item.action->setText(marked);
    }
}

void MenuKeys::markMenu(QMenu* menu) {
    if (!menu) return;
    mark(menu->actions());
    for (QAction* a : menu->actions()) markMenu(a->menu());
}

MenuKeys::MenuKeys(QMainWindow* window) : QObject(window), window_(window) {
    markAll();
    // F10: the first menu open, its first item highlighted, as on every desktop.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    f10->setObjectName(QStringLiteral("key_firstmenu"));
    connect(f10, &QShortcut::activated, this, [this] {
        QMenuBar* bar = window_->menuBar();
        for (QAction* a : bar->actions())
            if (a->menu() && a->isVisible() && a->isEnabled()) {
                bar->setActiveAction(a);
                for (QAction* item : a->menu()->actions())
                    if (!item->isSeparator() && item->isVisible()) {
                        a->menu()->setActiveAction(item);
                        break;
                    }
                return;
            }
    });
}

void MenuKeys::markAll() {
    QMenuBar* bar = window_->menuBar();
    // The bar's titles share Alt with the table's keys.
    mark(bar->actions(), QStringLiteral("r123456789"));
    for (QAction* a : bar->actions()) markMenu(a->menu());
    // Then the pop-up menus: the seat menu, the chat's, the typing line's,
    // the sounds' and the smileys'. After the bar's, so an action in both
    // (Scroll Chat Off) keeps the letter its Options menu gave it.
    for (QMenu* m : window_->findChildren<QMenu*>()) mark(m->actions());
}

} // namespace tc::client
