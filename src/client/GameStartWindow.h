#pragma once
// `Tgamestart`: the host's small tool window that chooses the Marks needed
// to win (3..10, starting at 5, by the arrows or typed) and how Rudi, the
// computer player, plays (Classic, the default, or Expert), and starts the
// game. A typed number outside 3..10 (or none) does not start: the heading
// says "Play to 3 to 10 Marks" and the number is selected to type over.
// Closing or starting hides it; it is never destroyed while the program
// runs, so it keeps the last values chosen.
#include <QWidget>

#include "game/ComputerPlayer.h"

class QLabel;
class QRadioButton;
class QSpinBox;
class QPushButton;

namespace tc::client {

class GameStartWindow : public QWidget {
    Q_OBJECT
public:
    explicit GameStartWindow(QWidget* parent = nullptr);

    int playToScore() const;
    // Values outside 3..10 are clamped into it.
    void setPlayToScore(int marks);
    game::Rudi rudi() const;
    // Sets the choice without reporting it (rudiChosen is the player's).
    void setRudi(game::Rudi rudi);
    // Whether the choice for Rudi counts: only where this window runs the
    // game's server. The first player on a server without a window starts
    // its games too, but that server plays Rudi its own way (--rudi), so
    // there the choice is greyed out and says why.
    void setRudiChoosable(bool choosable);
    // Shows the window centred on `over` (or where it is when null) and
    // brings it to the front.
    void showCentredOn(QWidget* over);

signals:
    // button_startClick: the window has hidden itself already.
    void startRequested(int marks);
    // The player clicked one of the choices for Rudi.
    void rudiChosen(tc::game::Rudi rudi);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void showHeading(bool options);  // "Game Options", or the refusal

    QLabel* heading_;
    QSpinBox* spin_;
    QRadioButton* classic_;
    QRadioButton* expert_;
    QPushButton* start_;
};

} // namespace tc::client
