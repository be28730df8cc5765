#pragma once
// `Tphrases`, the phrase editor: nine edit boxes `phrase1`..`phrase9`, one
// per phrase button, and "Done". It never blocks the table. The player
// types at most 50 characters into a box; a longer phrase from the
// settings file is shown and kept whole (it cannot grow). Under the boxes
// `label_unsendable` names the characters that would arrive as "?".
// "Done" hands the nine texts on and hides the window; any other way of
// closing it drops the edits, and the next open() starts again from the
// buttons' phrases.
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tc::windows {

class PhraseEditor : public QWidget {
    Q_OBJECT
public:
    explicit PhraseEditor(QWidget* parent = nullptr);

    // PrhaseList1Click: the phrases (missing ones empty) go into the boxes
    // and the window shows centred on `over`, brought to the front.
    void open(const QStringList& phrases, QWidget* over);
    QLineEdit* edit(int n) const;  // 1..9, else null

signals:
    // SelButton8Click: the nine texts, in button order.
    void done(const QStringList& phrases);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void showUnsendable();

    QLineEdit* edits_[9] = {};
    QLabel* unsendable_ = nullptr;
    QPushButton* done_ = nullptr;
};

} // namespace tc::windows
