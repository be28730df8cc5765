#pragma once
// The main window's menus: the titles of the bar, the seat menu, and the
// places inside them in the order they appear. MainMenus makes no item: each
// feature of the window adds its own items to one of the places below, and
// an item lands at the end of its place however late it is added, so the
// order never depends on which feature is made first. The lines
// (separators) between places are laid out here too (MainMenus.cpp).
class QAction;
class QMainWindow;
class QMenu;
class QString;
class QWidget;

namespace tc::chat {
class ScaledStyle;
}

namespace tc::client {

class MainMenus final {
public:
    // Top to bottom in each menu; the feature that fills each place.
    enum class Place {
        FileGame,         // FileMenu
        FileExit,         // FileMenu
        PlayDice,         // TableKeys
        PlayTiles,        // TableKeys
        OptionsGame,      // GameOptions
        OptionsSounds,    // GameOptions
        OptionsChat,      // ChatArea
        OptionsWindow,    // ScreenFit
        OptionsLanguage,  // LanguageMenu
        ViewWindows,      // SideWindowLinks
        ViewScreen,       // FullScreen
        Help,             // SideWindowLinks
        Bar,              // SideWindowLinks: on the bar itself, after the menus
        SeatPlayer,       // SeatMenu: popup_kick, opened on a seat
        SeatAll,          // SeatMenu
    };

    // Builds the titles of `window`'s bar and the empty seat menu.
    explicit MainMenus(QMainWindow* window);

    // A new item at the end of `place`, owned by its menu.
    QAction* add(Place place, const QString& caption, const char* objectName);
    // An action made elsewhere (it keeps its owner) at the end of `place`.
    void add(Place place, QAction* action);
    // A sub-menu at the end of `place`.
    QMenu* addMenu(Place place, const QString& title, const char* objectName);
    // The menu that holds `place` (null for the bar's own place).
    QMenu* menu(Place place) const;

    // The bar's text and every menu at `scale` times their size (1: as made).
    void setScale(double scale);
    double scale() const { return scale_; }

private:
    static constexpr int kPlaces = int(Place::SeatAll) + 1;
    // `place` begins in `host`, after a line when `line`; places are opened in order.
    void open(Place place, QWidget* host, bool line = false);
    QWidget* host(Place place) const { return hosts_[int(place)]; }

    QMainWindow* window_ = nullptr;
    QMenu* seatMenu_ = nullptr;
    QWidget* hosts_[kPlaces] = {};
    chat::ScaledStyle* style_ = nullptr;
    double scale_ = 1.0;
};

} // namespace tc::client
