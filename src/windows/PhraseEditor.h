#pragma once
// `Tphrases`, the phrase editor: nine edit boxes `phrase1`..`phrase9` of at
// most 50 characters, one per phrase button, and "Done". It never blocks
// the table. "Done" hands the nine texts on and hides the window; any
// other way of closing it drops the edits, and the next open() starts
// again from the buttons' phrases.
#include <QStringList>
#include <QWidget>

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
    QLineEdit* edits_[9] = {};
    QPushButton* done_ = nullptr;
};

} // namespace tc::windows
