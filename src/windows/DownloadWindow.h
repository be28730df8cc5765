#pragma once
// `Tdownload`: offered on a solo start. Fetches the lobby installer into
// the download folder, shows the progress (with the total and a bar when
// the server sends a length) and how it ended: "Saved to PATH" with a
// button that opens the folder, the server's status, "No data for 30 s", or
// the system's reason. The complete file goes to the desktop, which asks
// the player before anything is installed; the program itself never runs
// what it fetched. "Play Solo Game" goes back to the game, "Play with
// Others" starts an installed lobby program. "Stop Download" is usable
// only while a transfer runs; "Don't show this again" tells the owner the
// player no longer wants the offer at a plain start.
#include <QString>
#include <QWidget>

#include <vector>

#include "windows/LobbyDownload.h"
#include "windows/WebAddresses.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tc::windows {

class Desktop;

class DownloadWindow : public QWidget {
    Q_OBJECT
public:
    explicit DownloadWindow(const WebAddresses& addresses, QWidget* parent = nullptr);

    void setDesktop(Desktop* desktop) { desktop_ = desktop; }
    // Where the installer is saved; empty (the default) follows the rule
    // of downloadFolderFor() with the executable's folder.
    void setDownloadFolder(const QString& folder) { folder_ = folder; }
    // `programFolder` when it is writable and not an installed copy's
    // folder, else the user's download folder.
    static QString downloadFolderFor(const QString& programFolder);
    QString downloadFolder() const;
    LobbyDownload& transfer() { return *transfer_; }
    // The last transfer was stopped or failed.
    bool aborted() const { return aborted_; }

    // Centred in the primary screen's free area; on a screen with less
    // room than the window, the window and everything in it are drawn
    // smaller to fit first (fitInto).
    void showCentredOnScreen();
    // Scales the hand-placed window to fit `room` (never above its own
    // size); the scale it then has.
    qreal fitInto(QSize room);
    // The box "Don't show this again", set without telling anyone.
    void setOfferedAtStart(bool offered);
    bool offeredAtStart() const;

signals:
    // The lobby's installer or the lobby itself took over: leave the game
    // as "Exit" does.
    void exitRequested();
    // The player changed "Don't show this again" (offered = not checked).
    void offerAtStartChanged(bool offered);

protected:
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    void getbuttonClick();
    void abortbuttonClick();
    void playWithOthersClick();
    void showProgress(qint64 received, qint64 total);
    void transferFailed(LobbyDownload::Failure why, const QString& detail);
    void transferEnded(bool complete, qint64 size);
    QStringList reservedNames() const;

    // Every control's place and font as made, at a scale of 1.
    struct Placed {
        QWidget* widget;
        QRect geometry;
        QFont font;
    };
    std::vector<Placed> placed_;
    qreal scale_ = 1.0;
    WebAddresses addresses_;
    Desktop* desktop_;
    LobbyDownload* transfer_;
    QString folder_;
    QString filePath_;
    bool aborted_ = false;
    QPushButton* getbutton_;
    QPushButton* abortbutton_;
    QLabel* infolabel_;
    QLabel* infolabel2_;
    QLabel* infolabel3_;
    QProgressBar* progressBar_;
    QPushButton* openFolder_;
    QCheckBox* dontShow_;
};

} // namespace tc::windows
