#pragma once
// `Tspylist`: the spectators at the table, one entry "slot: name" each,
// in a window that stays on top. The host's context menu "Remove From
// Game" acts on the entry that was last under the mouse pointer.
#include <QStringList>

#include "windows/SideWindow.h"

class QAction;
class QListWidget;
class QMenu;

namespace tc::windows {

class SpyListWindow : public SideWindow {
    Q_OBJECT
public:
    explicit SpyListWindow(QWidget* parent = nullptr);

    void setEntries(const QStringList& entries);
    QStringList entries() const;
    // popup_kickhim: disabled until the host's copy enables it.
    void setRemoveEnabled(bool enabled);
    // The entry last under the pointer, or "" when it was over no entry
    // (or that entry has gone since).
    QString entryUnderPointer() const;

signals:
    // popup_kickhimClick with entryUnderPointer().
    void removeRequested(const QString& entry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void trackPointer(const QPoint& viewportPos);

    QListWidget* list_;
    QMenu* popup_;
    QAction* kick_;
    int underPointer_ = -1;
    QString underPointerText_;
};

} // namespace tc::windows
