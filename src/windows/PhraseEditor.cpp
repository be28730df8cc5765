#include "windows/PhraseEditor.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "store/Phrases.h"
#include "windows/ShowCentred.h"

namespace tc::windows {

PhraseEditor::PhraseEditor(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(QStringLiteral("Tilecrest - Phrase Buttons"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    for (int i = 0; i < store::kPhraseCount; ++i) {
        auto* label = new QLabel(QStringLiteral("Phrase Button %1:").arg(i + 1), this);
        label->setStyleSheet(QStringLiteral("color: black; font-weight: bold;"));
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("phrase%1").arg(i + 1));
        e->setMaxLength(store::kMaxPhraseChars);
        e->setMinimumWidth(260);
        grid->addWidget(label, i, 0);
        grid->addWidget(e, i, 1);
        edits_[i] = e;
    }
    done_ = new QPushButton(QStringLiteral("Done"), this);
    done_->setObjectName(QStringLiteral("SelButton8"));
    grid->addWidget(done_, store::kPhraseCount, 1, Qt::AlignRight);
    connect(done_, &QPushButton::clicked, this, [this] {
        QStringList texts;
        for (QLineEdit* e : edits_) texts << e->text();
        emit done(texts);
        hide();
    });
    adjustSize();
}

QLineEdit* PhraseEditor::edit(int n) const { return n >= 1 && n <= store::kPhraseCount ? edits_[n - 1] : nullptr; }

void PhraseEditor::open(const QStringList& phrases, QWidget* over) {
    for (int i = 0; i < store::kPhraseCount; ++i) edits_[i]->setText(phrases.value(i));
    windows::showCentredOn(this, over);
}

void PhraseEditor::paintEvent(QPaintEvent*) {
    // The plain planks along the bottom of the main window's background,
    // repeated: the rest of that picture holds the table's cards.
    static const QPixmap planks = QPixmap(QStringLiteral(":/images/board.jpg")).copy(0, 505, 717, 50);
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!planks.isNull()) p.drawTiledPixmap(rect(), planks);
}

} // namespace tc::windows
