#pragma once
// The dice area `panel_dicepanel` (505x121): the two dice, Roll Dice and
// Start Game at the same place, and the status line. It only shows what
// the table state says; clicks leave as signals.
#include <QWidget>

#include "session/TableState.h"

class QLabel;

namespace tc::client {

class BoardPictureButton;
class BoardPictures;

class DicePanel : public QWidget {
    Q_OBJECT
public:
    explicit DicePanel(QWidget* parent);

    void showTable(const TableState& table);
    // Takes the pictures of another pixel scale (TableScaler).
    void usePictures(const BoardPictures& pictures);

    QLabel* die(int n) const { return n == 1 ? dice1_ : dice2_; }
    BoardPictureButton* rollButton() const { return roll_; }
    BoardPictureButton* startButton() const { return start_; }
    QLabel* status() const { return status_; }
    QLabel* coach() const { return coach_; }

signals:
    void rollClicked();   // button_rollClick
    void startClicked();  // button_startClick
    void logoClicked();   // the name embossed on the cloth

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override;

private:
    QLabel* dice1_;
    QLabel* dice2_;
    BoardPictureButton* roll_;
    BoardPictureButton* start_;
    QLabel* status_;
    QLabel* coach_;
    QWidget* logo_;
    int faces_[2] = {0, 0};
};

} // namespace tc::client
