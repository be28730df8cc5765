#pragma once
// "Host a Game" / "Join a Game": the player's name, the host's address (for
// joining; the last five used are offered) and the port. What it asks for
// is handed on as the command line that does the same, so hosting or
// joining from here and from a command line cannot drift apart. Name,
// port and addresses are remembered in the settings file when accepted.
#include <QDialog>

#include "client/MainOptions.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tc::store {
class SettingsFile;
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
    // {name, address, "x"} to join, {name, "127.0.0.1", "true"} to host.
    MainOptions options() const;

signals:
    // The player pressed Host or Join; the fields are already remembered.
    void connectRequested(const tc::client::MainOptions& options);

private:
    void updateButton();
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
    QPushButton* connect_;
};

} // namespace tc::client
