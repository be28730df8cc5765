#include "windows/TallyListWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "windows/DialogKeys.h"
#include "windows/ShowCentred.h"

namespace tc::windows {
namespace {

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

QLabel* counterLabel(const QString& name, QWidget* parent) {
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(40);
    return l;
}

} // namespace

TallyListWindow::TallyListWindow(const QString& path, QWidget* parent)
    : QWidget(parent, Qt::Window), file_(path.toStdString()) {
    setObjectName(QStringLiteral("Ttallylist"));
    setWindowTitle(tr("Tilecrest - Tally List"));
    buildLayout();

    TallyFile::LoadResult loaded = file_.load();
    table_ = std::move(loaded.table);
    if (loaded.status == TallyFile::Loaded::Damaged) {
        // The player's sentence first; the reader's own words after it.
        loadProblem_ = loaded.movedTo.empty()
                           ? tr("Your tally could not be read, and the damaged file could not be moved "
                                            "aside; this session's games are not kept.")
                           : tr("Your tally could not be read, so it starts empty. The damaged file "
                                            "was kept as %1.")
                                 .arg(fromStd(loaded.movedTo));
        loadProblem_ += tr("\n\nDetails: ") + fromStd(loaded.problem);
    } else if (!loaded.problem.empty()) {
        loadProblem_ = fromStd(loaded.problem);
    }
    loadtally();
}

TallyListWindow::~TallyListWindow() {
    std::string error;
    file_.save(table_, error);
}

void TallyListWindow::buildLayout() {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(255, 248, 220));
    setPalette(pal);

    auto* own = new QGroupBox(tr("Your Total Tally"), this);
    auto* ownGrid = new QGridLayout(own);
    const QString ownCaptions[4] = {tr("Total Games:"), tr("Your Wins"),
                                    tr("Total Times you've shut all nine tiles:"), tr("Other:")};
    for (int i = 0; i < 4; ++i) {
        auto* caption = new QLabel(ownCaptions[i], own);
        mylabel_[i] = counterLabel(QStringLiteral("mylabel_%1").arg(i + 1), own);
        ownGrid->addWidget(caption, i, 0);
        ownGrid->addWidget(mylabel_[i], i, 1);
        // Nothing counts the fourth; it is kept in the file only.
        if (i == 3) {
            caption->hide();
            mylabel_[i]->hide();
        }
    }

    auto* his = new QGroupBox(this);
    auto* hisGrid = new QGridLayout(his);
    labelHisnametop_ = new QLabel(his);
    labelHisnametop_->setObjectName(QStringLiteral("label_hisnametop"));
    labelHisnametop_->setWordWrap(true);
    QFont bold = labelHisnametop_->font();
    bold.setBold(true);
    labelHisnametop_->setFont(bold);
    hisGrid->addWidget(labelHisnametop_, 0, 0, 1, 3);
    hisGrid->addWidget(new QLabel(tr("Total"), his), 1, 1, Qt::AlignRight);
    hisGrid->addWidget(new QLabel(tr("Session"), his), 1, 2, Qt::AlignRight);
    labelHisname_ = new QLabel(tr("Wins:"), his);
    labelHisname_->setObjectName(QStringLiteral("label_hisname"));
    QWidget* rowCaptions[4] = {new QLabel(tr("Number of Games"), his), labelHisname_,
                               new QLabel(tr("Your Wins:"), his),
                               new QLabel(tr("Neither Won:"), his)};
    for (int i = 0; i < 4; ++i) {
        label_[i] = counterLabel(QStringLiteral("label_%1").arg(i + 1), his);
        label_[i + 4] = counterLabel(QStringLiteral("label_%1").arg(i + 5), his);
        hisGrid->addWidget(rowCaptions[i], i + 2, 0);
        hisGrid->addWidget(label_[i], i + 2, 1);
        hisGrid->addWidget(label_[i + 4], i + 2, 2);
    }

    checklist_ = new QListWidget(this);
    checklist_->setObjectName(QStringLiteral("checklist"));
    listboxTally_ = new QListWidget(this);
    listboxTally_->setObjectName(QStringLiteral("listbox_tally"));
    connect(checklist_, &QListWidget::itemChanged, this, &TallyListWindow::checklistClickCheck);
    connect(listboxTally_, &QListWidget::itemChanged, this, &TallyListWindow::listboxTallyClickCheck);
    connect(listboxTally_, &QListWidget::currentRowChanged, this, &TallyListWindow::showOpponent);

    auto* reset = new QPushButton(tr("Reset Tally"), this);
    reset->setObjectName(QStringLiteral("button_reset"));
    connect(reset, &QPushButton::clicked, this, &TallyListWindow::buttonResetClick);
    auto* done = new QPushButton(tr("Ok"), this);
    done->setObjectName(QStringLiteral("button_done"));
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    DialogKeys::install(this, done, QAccessible::Window);

    auto* left = new QVBoxLayout;
    left->addWidget(own);
    left->addWidget(his);
    left->addWidget(new QLabel(tr("Players In Current Game"), this));
    left->addWidget(checklist_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(reset);
    buttons->addWidget(done);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(tr("Players Being Tallied"), this));
    right->addWidget(listboxTally_, 1);
    right->addLayout(buttons);
    auto* all = new QHBoxLayout(this);
    all->addLayout(left, 1);
    all->addLayout(right, 1);
    resize(460, 470);
}

void TallyListWindow::loadtally() {
    showOwn();
    const QSignalBlocker block(listboxTally_);
    listboxTally_->clear();
    for (const std::string& name : table_.tallied()) {
        auto* item = new QListWidgetItem(fromStd(name), listboxTally_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    showSomeOpponent();
}

void TallyListWindow::showSomeOpponent() {
    if (listboxTally_->count() > 0) {
        if (listboxTally_->currentRow() < 0) {
            const QSignalBlocker block(listboxTally_);
            listboxTally_->setCurrentRow(0);
        }
        showOpponent(listboxTally_->currentRow());
        return;
    }
    labelHisnametop_->setText(
        tr("Nobody is tallied yet: tick a name under \"Players In Current Game\" to keep a tally "
                       "of your games against that player."));
    labelHisname_->setText(tr("Wins:"));
    for (QLabel* l : label_) l->setText(QStringLiteral("0"));
}

void TallyListWindow::showOwn() {
    for (int i = 0; i < 4; ++i) mylabel_[i]->setText(fromStd(table_.cell(i + 1, 0)));
}

void TallyListWindow::showOpponent(int position) {
    const int row = position + 1;
    if (position < 0 || row >= table_.rowCount()) return;
    for (int i = 0; i < 8; ++i) label_[i]->setText(fromStd(table_.cell(i + 1, row)));
    const QString name = fromStd(table_.cell(0, row));
    labelHisname_->setText(tr("%1 Wins:").arg(name));
    labelHisnametop_->setText(tr("%1's Tally").arg(name));
}

void TallyListWindow::save() {
    saveError_.clear();
    if (file_.save(table_, saveError_) || saveFailureTold_) return;
    saveFailureTold_ = true;
    emit saveFailed(tr("Your tally cannot be saved in %1 (%2). Its counts last until the game is "
                                   "closed.")
                        .arg(fromStd(file_.path()), fromStd(saveError_)));
}

void TallyListWindow::setChecked(QListWidgetItem* item, bool checked) {
    const QSignalBlocker block(item->listWidget());
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TallyListWindow::loadchecklist(const std::vector<std::string>& currentGame) {
    const QSignalBlocker block(checklist_);
    checklist_->clear();
    for (const std::string& name : currentGame) {
        auto* item = new QListWidgetItem(fromStd(name), checklist_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(table_.findTallied(name) != 0 ? Qt::Checked : Qt::Unchecked);
    }
}

void TallyListWindow::checklistClickCheck(QListWidgetItem* item) {
    const std::string name = item->text().toStdString();
    if (table_.findTallied(name) == 0 && table_.addOpponent(name)) {
        auto* added = new QListWidgetItem(fromStd(table_.cell(0, table_.rowCount() - 1)));
        added->setFlags(added->flags() | Qt::ItemIsUserCheckable);
        added->setCheckState(Qt::Checked);
        {
            const QSignalBlocker block(listboxTally_);
            listboxTally_->addItem(added);
        }
        showSomeOpponent();
        save();
    }
    // Unchecking here does not stop the tally; the mark says who is tallied.
    setChecked(item, table_.findTallied(name) != 0);
}

void TallyListWindow::listboxTallyClickCheck(QListWidgetItem* item) {
    if (item->checkState() == Qt::Checked) return;
    const int position = listboxTally_->row(item);
    const QString name = item->text();
    if (!ask(tr("This will delete %1's Tally, Are you want to delete it?").arg(name))) {
        setChecked(item, true);
        return;
    }
    table_.moverow(position + 1);
    {
        const QSignalBlocker block(listboxTally_);
        delete listboxTally_->takeItem(position);
    }
    save();
    showSomeOpponent();
    for (int i = 0; i < checklist_->count(); ++i) {
        QListWidgetItem* c = checklist_->item(i);
        setChecked(c, table_.findTallied(c->text().toStdString()) != 0);
    }
}

void TallyListWindow::buttonResetClick() {
    if (!ask(tr("Are you sure you want to reset the Tally?"))) return;
    table_.reset();
    {
        const QSignalBlocker block(listboxTally_);
        listboxTally_->clear();
    }
    showOwn();
    showSomeOpponent();
    for (int i = 0; i < checklist_->count(); ++i) setChecked(checklist_->item(i), false);
    save();
}

void TallyListWindow::addtomineincrease(int column) {
    table_.addToMineIncrease(column);
    showOwn();
    save();
}

void TallyListWindow::addgame(const std::vector<std::string>& currentGame, const std::string& winner, bool localWon) {
    loadchecklist(currentGame);
    table_.addGame(currentGame, winner, localWon);
    showOwn();
    showOpponent(listboxTally_->currentRow());
    save();
}

bool TallyListWindow::ask(const QString& question) {
    if (ask_) return ask_(question);
    return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TallyListWindow::reportLoadProblem(QWidget* over) {
    if (loadProblem_.isEmpty() || problemShown_) return;
    problemShown_ = true;
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tilecrest"), loadProblem_, QMessageBox::Ok,
                                over ? over : this);
    box->setObjectName(QStringLiteral("tallyLoadProblem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void TallyListWindow::setBackground(const QPixmap& picture) {
    // The plain planks below the table's cards, as the other small windows
    // use them: the cards themselves would sit behind the panels.
    background_ = picture.height() >= 555 ? picture.copy(0, 300, picture.width(), 255) : picture;
    update();
}

void TallyListWindow::showCentredOn(QWidget* over) {
    // An open window stays where the player put it.
    windows::showCentredOn(this, isVisible() ? nullptr : over);
}

void TallyListWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(145, 124, 87));
    if (!background_.isNull()) p.drawTiledPixmap(rect(), background_);
}

} // namespace tc::windows
