#include "client/ChatArea.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "chat/ChatColourDialog.h"
#include "chat/ChatInput.h"
#include "chat/ChatPane.h"
#include "chat/PhraseBar.h"
#include "chat/SmileyButton.h"
#include "client/InputGate.h"
#include "client/MainMenus.h"
#include "client/TableScaler.h"
#include "session/Session.h"

namespace tc::client {

ChatArea::ChatArea(QWidget* board, Session& session, InputGate& gate) : session_(session), gate_(gate) {
    // Under the table from top 301, with the phrase strip at its left.
    phrases_ = new chat::PhraseBar(board);
    phrases_->move(2, 300);
    connect(phrases_, &chat::PhraseBar::phraseClicked, this, [this](const QString& phrase) {
        gate_.feed([this, p = phrase.toStdString()] {
            if (session_.sendPhrase(p, input_->chatColour()))
                phrases_->rest(static_cast<int>(session_.phraseRestMs()));
        });
    });
    connect(phrases_, &chat::PhraseBar::soundChosen, this,
            [this](int number) { gate_.feed([this, number] { session_.sendChatterSound(number); }); });
    pane_ = new chat::ChatPane(board);
    pane_->setGeometry(28, 301, 670, 176);
    input_ = new chat::ChatInput(board);
    input_->setGeometry(28, 479, 648, 20);
    auto* smilies = new chat::SmileyButton(board);
    smilies->setGeometry(677, 479, 21, 20);
    smilies->setInput(input_);
    // A taller window gives its rows to the chat; the input line stays under it.
    TableScaler::growWithTable(pane_);
    TableScaler::followTableBottom(input_);
    TableScaler::followTableBottom(smilies);
    connect(pane_, &chat::ChatPane::focusInputRequested, input_, [this] { input_->setFocus(); });
    connect(input_, &chat::ChatInput::sendRequested, this, [this](const QString& text) {
        gate_.feed([this, t = text.toStdString()] {
            if (session_.sendTyped(t, input_->chatColour())) input_->clear();
        });
    });
}

void ChatArea::addMenuItems(MainMenus& menus, QWidget* owner, std::function<void(std::string_view)> save) {
    using Place = MainMenus::Place;
    QAction* colour = menus.add(Place::OptionsChat, tr("Text Color"), "TextColor1");
    connect(colour, &QAction::triggered, this, [this, owner, save] {
        if (auto c = chat::ChatColourDialog::choose(owner, input_->chatColour())) {
            input_->setChatColour(*c);
            save("Textcolor");
        }
    });
    QMenu* sizes = menus.addMenu(Place::OptionsChat, tr("Text Size"), "TextSize1");
    textSizes_ = new QActionGroup(owner);
    for (int points : {8, 10, 12, 14}) {
        // None is checked until one is chosen or read from the settings.
        QAction* a = sizes->addAction(QString::number(points));
        a->setObjectName(QStringLiteral("N%1").arg(points));
        a->setCheckable(true);
        a->setData(points);
        textSizes_->addAction(a);
    }
    connect(textSizes_, &QActionGroup::triggered, this, [this, save](QAction* a) {
        pane_->setTextSize(a->data().toInt());
        save("Textsize");
    });
    // The pane's own action: one check mark in both menus, Ctrl+S for both.
    menus.add(Place::OptionsChat, pane_->scrollChatOffAction());
}

} // namespace tc::client
