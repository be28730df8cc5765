#pragma once
// "Host a Game" / "Join a Game": the player's name, the host's address (for
// joining; the last five joined are offered; "HOST:PORT" and "[IPv6]:PORT"
// are understood) and the port. What it asks for is handed on as the
// command line that does the same, so hosting or joining from here and from
// a command line cannot drift apart. The dialog stays open while the owner
// tries: connectFailed shows why in the dialog, with the focus on the field
// to correct; connectSucceeded remembers name, port and address in the
// settings file and closes it. Only what worked is remembered; so is the
// Host dialog's choices to announce the game on the local network and to
// open its port on the home router.
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
    // Said under the list when a game is chosen by a double click before a
    // name is typed.
    static inline const QString kNameNeeded = QStringLiteral("Type your name first: a game is joined under it.");
    enum class Mode { Host, Join };

    explicit ConnectDialog(QWidget* parent = nullptr);
    ~ConnectDialog() override;

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
    // (announced, and its port opened on the router, unless the player
    // said no).
    MainOptions options() const;
    // What the last connectRequested asked for: the try and what is
    // remembered of it use these, not what was typed meanwhile.
    const MainOptions& sentOptions() const { return sent_; }

    // The try of the last connectRequested failed: `reason` shows in the
    // dialog; a non-zero `offeredPort` replaces the port (a free one when
    // the chosen one is taken).
    void connectFailed(const QString& reason, quint16 offeredPort = 0);
    // It worked: what was sent is remembered and the dialog closes.
    void connectSucceeded();
    // Whether a try is running (the button waits meanwhile).
    bool trying() const { return trying_; }

    // The games listed while joining.
    discovery::GameBrowser& browser() { return *browser_; }

signals:
    // The player pressed Host or Join with fields that read; the dialog
    // stays open until connectFailed or connectSucceeded.
    void connectRequested(const tc::client::MainOptions& options);
    // Closed (Cancel, Escape) while a try ran: the owner drops the try.
    void cancelled();

private:
    void updateButton();
    void showGames();
    void showBrowserState();
    void gameChosen(QTreeWidgetItem* item);
    void accepted();
    void showProblem(const QString& text);
    // Grows the dialog to what its rows need at its width, so a reason that
    // wraps takes rows of its own instead of squeezing the fields.
    void fitRows();
    // The address field as typed, without surrounding spaces.
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
    QCheckBox* mapPort_;
    QLabel* gamesLabel_;
    QTreeWidget* games_;
    QLabel* discovery_;
    discovery::GameBrowser* browser_;
    QLabel* problem_;
    QPushButton* connect_;
    bool trying_ = false;
    MainOptions sent_;
};

} // namespace tc::client
