#include "client/MenuKeys.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
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
    QString taken = reserved.toLower();
    for (QAction* a : items) {
        const QString text = a->text();
        const qsizetype at = markerAt(text);
        if (at >= 0) taken += text[at + 1].toLower();
    }
    for (QAction* a : items) {
        if (a->isSeparator()) continue;
        const QString text = a->text();
        if (text.isEmpty() || markerAt(text) >= 0) continue;
        for (qsizetype i : candidates(text)) {
            const QChar c = text[i].toLower();
            if (taken.contains(c)) continue;
            taken += c;
            QString marked = text;
            marked.insert(i, QLatin1Char('&'));
            // Whatever toggles or follows the item keeps its text as the
            // reader's name: the underline is not spoken.
            a->setText(marked);
            break;
        }
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
    markMenu(window_->findChild<QMenu*>(QStringLiteral("popup_kick")));
}

} // namespace tc::client
