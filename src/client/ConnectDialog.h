#pragma once
// "Host a Game" / "Join a Game": the player's name, the host's address (for
// joining; the last five used are offered) and the port. What it asks for
// is handed on as the command line that does the same, so hosting or
// joining from here and from a command line cannot drift apart. Name,
// port, addresses and the Host dialog's announce choice are remembered in
// the settings file when accepted.
//
// Joining, it lists the games announced on the local network as they come
// and go (name, address, players, running or waiting): choosing one fills
// the address and the port, a double click joins. Where the games cannot
// be listed (no Avahi daemon) it says so once, in a quiet line.
#include <QDialog>

#include "client/MainOptions.h"

class QCheckBox;
class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tc::store {
class SettingsFile;
}

namespace tc::discovery {
class GameBrowser;
}

namespace tc::client {

class ConnectDialog final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Host, Join };

    explicit ConnectDialog(QWidget* parent = nullptr);

    // Where the fields come from and go to; may be null (nothing kept).
    // Must outlive the dialog.
    void setSettings(store::SettingsFile* settings) { settings_ = settings; }

    // The port this copy's game runs on now, 0 for none. The Host dialog
    // offers it rather than the one remembered, which may differ (a game
    // started with another port on the command line).
    void setGamePort(quint16 port) { gamePort_ = port; }

    // Fills the fields from the settings and opens without blocking.
    void openFor(Mode mode);
    Mode mode() const { return mode_; }

    // The command line of what the fields ask for:
    // {name, address, "x"} to join, {name, "127.0.0.1", "true"} to host
    // (announced unless the player said no).
    MainOptions options() const;

    // The games listed while joining.
    discovery::GameBrowser& browser() { return *browser_; }

signals:
    // The player pressed Host or Join; the fields are already remembered.
    void connectRequested(const tc::client::MainOptions& options);

private:
    void updateButton();
    void showGames();
    void showBrowserState();
    void gameChosen(QTreeWidgetItem* item);
    void accepted();
    // The address as typed, without spaces or the brackets of "[::1]".
    QString address() const;

    store::SettingsFile* settings_ = nullptr;
    Mode mode_ = Mode::Join;
    quint16 gamePort_ = 0;
    QLineEdit* name_;
    QLabel* addressLabel_;
    QComboBox* address_;
    QSpinBox* port_;
    QLabel* hint_;
    QCheckBox* announce_;
    QLabel* gamesLabel_;
    QTreeWidget* games_;
    QLabel* discovery_;
    discovery::GameBrowser* browser_;
    QPushButton* connect_;
};

} // namespace tc::client
