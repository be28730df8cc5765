#include "client/SideWindowLinks.h"

#include <QAction>
#include <QMenu>

#include "chat/PhraseBar.h"
#include "client/DicePanel.h"
#include "client/GameStartWindow.h"
#include "client/InputGate.h"
#include "client/MainMenus.h"
#include "client/MenuKeys.h"
#include "client/PlayerSettings.h"
#include "client/SettingsKeeper.h"
#include "session/RudiSettings.h"
#include "session/Session.h"
#include "store/SettingsFile.h"
#include "store/TallyTable.h"
#include "windows/AboutWindow.h"
#include "windows/DownloadWindow.h"
#include "windows/HelpWindow.h"
#include "windows/LobbyOffer.h"
#include "windows/PhraseEditor.h"
#include "windows/SpyListWindow.h"
#include "windows/TallyListWindow.h"

namespace tc::client {

SideWindowLinks::SideWindowLinks(QWidget* owner, Session& session, InputGate& gate, SettingsKeeper& keeper,
                                 const PlayerSettings& settings, std::function<void(const std::string&)> tell)
    : owner_(owner), session_(session), gate_(gate), keeper_(keeper), settings_(settings), tell_(std::move(tell)) {}

void SideWindowLinks::addMenuItems(MainMenus& menus, DicePanel* dice, const chat::PhraseBar* phrases) {
    using Place = MainMenus::Place;
    auto item = [&](Place place, const QString& caption, const char* name, auto&& answer) {
        QAction* a = menus.add(place, caption, name);
        connect(a, &QAction::triggered, this, answer);
        return a;
    };
    item(Place::ViewWindows, tr("View Tally"), "ViewTally1", [this] { side_.showTally(owner_, currentGameNames()); });
    item(Place::ViewWindows, tr("Spy List"), "SpyList1", [this] { side_.showSpyList(owner_); });
    item(Place::ViewWindows, tr("Phrase List"), "PrhaseList1", [this, phrases] {
        if (side_.phraseEditor) side_.phraseEditor->open(phrases->phrases(), owner_);
    });
    item(Place::Help, tr("Content"), "Help2", [this] { side_.showHelp(owner_); })->setShortcut(QKeySequence(Qt::Key_F1));
    item(Place::Help, tr("Quick Instructions"), "QuickInstructions1", [this] {
        gate_.feed([this] { session_.quickInstructions(); });
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    item(Place::Help, tr("About"), "About1", [this] { side_.showAbout(owner_); });
    item(Place::Help, tr("Download The Velmora Lobby\u2026"), "DownloadLobby1", [this] { side_.showDownload(); });
    item(Place::Bar, tr("Solo Version of Tilecrest"), "SoloVersionofTileCrest1", [this] { side_.showSolo(owner_); });
    connect(dice, &DicePanel::logoClicked, this, [this] {
        if (side_.about) side_.about->openSite();
    });
}

void SideWindowLinks::attachGameStart(GameStartWindow* window) {
    side_.gameStart = window;
    if (!window) return;
    connect(window, &GameStartWindow::rudiChosen, this,
            [this](game::Rudi rudi) { keeper_.saveOwnKeys(RudiSettings::rudiKey(rudi)); });
    session_.offerMarks(window->playToScore());
    connect(window, &GameStartWindow::startRequested, this,
            [this](int marks) { gate_.feed([this, marks] { session_.startGame(marks); }); });
}

void SideWindowLinks::attachTally(windows::TallyListWindow* window) {
    side_.tally = window;
    if (window)
        connect(window, &windows::TallyListWindow::saveFailed, this,
                [this](const QString& why) { tell_("0+" + why.toStdString()); });
}

void SideWindowLinks::attachPhraseEditor(windows::PhraseEditor* editor) {
    side_.phraseEditor = editor;
    if (editor) connect(editor, &windows::PhraseEditor::done, this, &SideWindowLinks::phrasesDone);
}

void SideWindowLinks::phrasesDone(const QStringList& phrases) {
    keeper_.savePhrases(store::phrasesToWrite(settings_.takePhrases(phrases)));
}

void SideWindowLinks::attachSpyList(windows::SpyListWindow* window) {
    side_.spyList = window;
    if (!window) return;
    MenuKeys::markMenu(window->findChild<QMenu*>(QStringLiteral("popup_kick")));
    connect(window, &windows::SpyListWindow::removeRequested, this, [this](const QString& entry) {
        gate_.feed([this, e = entry.toStdString()] { session_.spyRemove(e); });
    });
}

void SideWindowLinks::attachHelpWindows(windows::HelpWindow* help, windows::AboutWindow* about,
                                        windows::SoloWindow* solo, windows::DownloadWindow* download) {
    side_.help = help;
    side_.about = about;
    side_.solo = solo;
    side_.download = download;
    if (help && about) connect(help, &windows::HelpWindow::aboutRequested, this, [this] { side_.showAbout(owner_); });
    if (download) {
        connect(download, &windows::DownloadWindow::exitRequested, owner_, &QWidget::close);
        connect(download, &windows::DownloadWindow::offerAtStartChanged, this,
                [this](bool offered) { keeper_.saveOwnKeys(windows::LobbyOffer::key(offered)); });
    }
}

void SideWindowLinks::offerDownload(bool again) {
    // The offer belongs to the program's start; a solo game begun again
    // from the menu or after a game ended does not repeat it.
    if (again || !side_.download) return;
    // The player may have declined it for good.
    const bool offered = !keeper_.file() || windows::LobbyOffer::atStart(*keeper_.file());
    side_.download->setOfferedAtStart(offered);
    if (offered) side_.showDownload();
}

void SideWindowLinks::countShutAll(int column) {
    if (side_.tally) side_.tally->addtomineincrease(column);
}

void SideWindowLinks::countGame(const std::string& winner, bool localWon) {
    if (side_.tally) side_.tally->addgame(currentGameNames(), winner, localWon);
}

std::vector<std::string> SideWindowLinks::currentGameNames() const {
    std::vector<std::string> seats;
    for (const SeatDisplay& s : session_.table().seats) seats.push_back(s.caption);
    return store::TallyTable::currentGameList(seats, session_.myseat());
}

} // namespace tc::client
