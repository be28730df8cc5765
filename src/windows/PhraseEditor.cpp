#include "windows/PhraseEditor.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "net/Cp1252.h"
#include "store/Phrases.h"
#include "windows/DialogKeys.h"
#include "windows/ShowCentred.h"

namespace tc::windows {

PhraseEditor::PhraseEditor(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Tphrases"));
    setWindowTitle(tr("Tilecrest - Phrase Buttons"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    for (int i = 0; i < store::kPhraseCount; ++i) {
        auto* label = new QLabel(tr("Phrase Button %1:").arg(i + 1), this);
        label->setStyleSheet(QStringLiteral("color: black; font-weight: bold;"));
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("phrase%1").arg(i + 1));
        e->setMinimumWidth(260);
        connect(e, &QLineEdit::textChanged, this, &PhraseEditor::showUnsendable);
        grid->addWidget(label, i, 0);
        grid->addWidget(e, i, 1);
        edits_[i] = e;
    }
    unsendable_ = new QLabel(this);
    unsendable_->setObjectName(QStringLiteral("label_unsendable"));
    unsendable_->setTextFormat(Qt::PlainText);
    unsendable_->setWordWrap(true);
    unsendable_->setStyleSheet(QStringLiteral("color: #8b0000; font-weight: bold;"));
    unsendable_->hide();
    grid->addWidget(unsendable_, store::kPhraseCount, 0, 1, 2);
    done_ = new QPushButton(tr("Done"), this);
    done_->setObjectName(QStringLiteral("SelButton8"));
    grid->addWidget(done_, store::kPhraseCount + 1, 1, Qt::AlignRight);
    connect(done_, &QPushButton::clicked, this, [this] {
        QStringList texts;
        for (QLineEdit* e : edits_) texts << e->text();
        emit done(texts);
        hide();
    });
    DialogKeys::install(this, done_);
    adjustSize();
}

QLineEdit* PhraseEditor::edit(int n) const { return n >= 1 && n <= store::kPhraseCount ? edits_[n - 1] : nullptr; }

void PhraseEditor::open(const QStringList& phrases, QWidget* over) {
    for (int i = 0; i < store::kPhraseCount; ++i) {
        // The cap holds what the player types; a longer stored phrase is
        // not cut by being shown.
        const QString text = phrases.value(i);
        edits_[i]->setMaxLength(32767);
        edits_[i]->setText(text);
        edits_[i]->setMaxLength(std::max<int>(store::kMaxPhraseChars, int(text.size())));
    }
    windows::showCentredOn(this, over);
}

void PhraseEditor::showUnsendable() {
    QStringList lines;
    for (int i = 0; i < store::kPhraseCount; ++i) {
        const std::string bad = net::unsendableCharacters(edits_[i]->text().toStdString());
        if (bad.empty()) continue;
        QStringList shown;
        const QString chars = QString::fromStdString(bad);
        for (qsizetype k = 0; k < chars.size(); ++k) {
            const qsizetype n = chars.at(k).isHighSurrogate() && k + 1 < chars.size() ? 2 : 1;
            shown << chars.mid(k, n);
            k += n - 1;
        }
        lines << tr("Phrase Button %1: %2 cannot be sent and arrives as \"?\".")
                     .arg(i + 1)
                     .arg(shown.join(QLatin1Char(' ')));
    }
    unsendable_->setText(lines.join(QLatin1Char('\n')));
    unsendable_->setVisible(!lines.isEmpty());
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
