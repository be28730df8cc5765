#include "client/SideWindows.h"

#include <initializer_list>

#include <QStringList>

#include "client/GameStartWindow.h"
#include "session/TableState.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PhraseEditor.h"
#include "windows/SoloWindow.h"
#include "windows/SpyListWindow.h"
#include "windows/TallyListWindow.h"

namespace tc::client {

void SideWindows::showGameStart(QWidget* owner) const {
    if (gameStart) gameStart->showCentredOn(owner);
}

void SideWindows::showSpyList(QWidget* owner) const {
    if (spyList) spyList->showCentredOn(owner);
}

void SideWindows::showHelp(QWidget* owner) const {
    if (help) help->showCentredOn(owner);
}

void SideWindows::showAbout(QWidget* owner) const {
    if (about) about->showCentredOn(owner);
}

void SideWindows::showSolo(QWidget* owner) const {
    if (solo) solo->showCentredOn(owner);
}

void SideWindows::showDownload() const {
    if (download) download->showCentredOnScreen();
}

void SideWindows::showTally(QWidget* owner, const std::vector<std::string>& currentGame) const {
    if (!tally) return;
    tally->loadchecklist(currentGame);
    tally->showCentredOn(owner);
}

void SideWindows::showTable(const TableState& table) const {
    if (!spyList) return;
    QStringList entries;
    for (const auto& e : table.spyList) entries << QString::fromStdString(e);
    spyList->setEntries(entries);
    spyList->setRemoveEnabled(table.spyRemoveEnabled);
}

void SideWindows::hideAll() const {
    for (QWidget* w : std::initializer_list<QWidget*>{gameStart, spyList, phraseEditor, help, about, solo,
                                                      download, tally})
        if (w) w->hide();
}

void SideWindows::hideGameStart() const {
    if (gameStart) gameStart->hide();
}

} // namespace tc::client
