#pragma once
// `Ttallylist`, "Tilecrest - Tally List": the own totals, the selected
// opponent's counts, the players of the current game and the players being
// tallied. It owns the tally (TallyTable), reads the file when created and
// writes it after every change and when destroyed, so a crash loses at most
// the change in progress. Closing it only hides it.
#include <functional>
#include <string>
#include <vector>

#include <QPixmap>
#include <QString>
#include <QWidget>

#include "store/TallyFile.h"
#include "store/TallyTable.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace tc::windows {

using store::TallyFile;
using store::TallyTable;

class TallyListWindow : public QWidget {
    Q_OBJECT
public:
    // FormCreate: reads the tally at `path`; a damaged file is moved aside
    // and the tally starts empty (see loadProblem()).
    explicit TallyListWindow(const QString& path, QWidget* parent = nullptr);
    // FormDestroy: writes the tally once more; a failure is not reported.
    ~TallyListWindow() override;

    // What went wrong while reading the file, "" when nothing did.
    QString loadProblem() const { return loadProblem_; }
    // Shows loadProblem() once, in a message box that does not block.
    void reportLoadProblem(QWidget* over);

    // The main window's background picture.
    void setBackground(const QPixmap& picture);
    // Replaces the Yes/No confirmation (tests answer without a dialog).
    void setQuestionAsker(std::function<bool(const QString&)> ask) { ask_ = std::move(ask); }

    // loadchecklist with the names of the current game (TallyTable::currentGameList).
    void loadchecklist(const std::vector<std::string>& currentGame);
    // addtomineincrease: column 3 counts a turn that shut all nine tiles.
    void addtomineincrease(int column);
    // addgame: the game just ended; `currentGame` as for loadchecklist.
    void addgame(const std::vector<std::string>& currentGame, const std::string& winner, bool localWon);

    void showCentredOn(QWidget* over);
    const TallyTable& table() const { return table_; }
    // The reason the last save failed, "" after a good one.
    const std::string& saveError() const { return saveError_; }

signals:
    // The first save that failed, as a sentence for the player; later
    // failures are not told again.
    void saveFailed(const QString& sentence);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void buildLayout();
    void loadtally();
    void save();
    void showOwn();
    void showOpponent(int position);  // listbox_tallyClick
    // The selected opponent, else the first tallied one, else a sentence
    // saying how to start a tally.
    void showSomeOpponent();
    void checklistClickCheck(QListWidgetItem* item);
    void listboxTallyClickCheck(QListWidgetItem* item);
    void buttonResetClick();
    bool ask(const QString& question);
    void setChecked(QListWidgetItem* item, bool checked);

    TallyTable table_;
    TallyFile file_;
    QString loadProblem_;
    bool problemShown_ = false;
    std::string saveError_;
    bool saveFailureTold_ = false;
    QPixmap background_;
    std::function<bool(const QString&)> ask_;

    QLabel* mylabel_[4] = {};
    QLabel* label_[8] = {};
    QLabel* labelHisname_ = nullptr;
    QLabel* labelHisnametop_ = nullptr;
    QListWidget* checklist_ = nullptr;
    QListWidget* listboxTally_ = nullptr;
};

} // namespace tc::windows
