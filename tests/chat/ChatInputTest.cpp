#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "chat/ChatColourDialog.h"
#include "chat/ChatInput.h"
#include "chat/SmileyButton.h"
#include "chat/SmileyImages.h"
#include "chat/SmileyMenu.h"

using namespace tc::chat;

TEST(ChatInput, StartsWithPlaceholderThatTheFirstKeyRemoves) {
    ChatInput box;
    EXPECT_EQ(box.objectName(), "mychat");
    EXPECT_EQ(box.text(), "<Enter Chat Here>");
    QTest::keyClick(&box, Qt::Key_Shift);
    EXPECT_EQ(box.text(), "");
    QTest::keyClicks(&box, "hi there");
    EXPECT_EQ(box.text(), "hi there");

    // Only the exact placeholder is removed.
    box.setText("<Enter Chat Here>!");
    box.end(false);
    QTest::keyClick(&box, Qt::Key_A);
    EXPECT_EQ(box.text(), "<Enter Chat Here>!a");
}

TEST(ChatInput, EnterAsksToSendAndIsSwallowed) {
    ChatInput box;
    QSignalSpy send(&box, &ChatInput::sendRequested);
    QSignalSpy returned(&box, &QLineEdit::returnPressed);
    QTest::keyClick(&box, Qt::Key_Return);  // on the untouched placeholder
    ASSERT_EQ(send.count(), 1);
    EXPECT_EQ(send.at(0).at(0).toString(), "");
    EXPECT_EQ(box.text(), "");

    QTest::keyClicks(&box, "/me waves");
    QTest::keyClick(&box, Qt::Key_Enter);
    ASSERT_EQ(send.count(), 2);
    EXPECT_EQ(send.at(1).at(0).toString(), "/me waves");
    EXPECT_EQ(box.text(), "/me waves");  // the owner clears or keeps it
    EXPECT_EQ(returned.count(), 0);
}

TEST(ChatInput, PasteAppendsAndPutsTheCaretAtTheEnd) {
    ChatInput box;
    QApplication::clipboard()->setText("abc");
    ASSERT_EQ(box.contextMenu()->actions().size(), 1);
    QAction* paste = box.contextMenu()->actions().at(0);
    EXPECT_EQ(paste->text(), "Paste");
    EXPECT_EQ(paste->shortcut(), QKeySequence("Ctrl+V"));

    paste->trigger();  // the menu keeps a placeholder in front
    EXPECT_EQ(box.text(), "<Enter Chat Here>abc");
    EXPECT_EQ(box.cursorPosition(), box.text().size());
    EXPECT_FALSE(box.hasSelectedText());

    box.setText("xy");
    box.setCursorPosition(0);
    box.setSelection(0, 1);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), "xyabc");
    EXPECT_EQ(box.cursorPosition(), 5);
    EXPECT_FALSE(box.hasSelectedText());

    ChatInput fresh;
    QTest::keyClick(&fresh, Qt::Key_V, Qt::ControlModifier);  // a key: placeholder goes first
    EXPECT_EQ(fresh.text(), "abc");

    QApplication::clipboard()->clear();
    box.pasteAppend();
    EXPECT_EQ(box.text(), "xyabc");
}

TEST(ChatInput, TextTakesTheChatColour) {
    ChatInput box;
    EXPECT_EQ(box.palette().color(QPalette::Text), QColor(0, 0, 0));
    box.setChatColour(tc::net::rgb(255, 128, 0));
    EXPECT_EQ(box.chatColour(), tc::net::rgb(255, 128, 0));
    EXPECT_EQ(box.palette().color(QPalette::Text), QColor(255, 128, 0));
    box.setChatColour(0x80000008);  // clWindowText
    EXPECT_EQ(box.palette().color(QPalette::Text), QColor(0, 0, 0));

    // The style sheet of the box must not hide the colour when drawn.
    box.setChatColour(0x0000FF);
    box.setText("MMMM WWWW");
    box.resize(200, 22);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QImage img = box.grab().toImage();
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60 && c.blue() < 60) ++red;
        }
    EXPECT_GT(red, 10);
}

TEST(SmileyMenu, EighteenCodesWithPictures) {
    SmileyMenu menu;
    EXPECT_EQ(menu.objectName(), "popup_smilies");
    const auto actions = menu.actions();
    ASSERT_EQ(actions.size(), 18);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(actions[i]->text(), QStringLiteral(":)#%1").arg(10 + i));
        EXPECT_EQ(actions[i]->data().toInt(), 10 + i);
        EXPECT_FALSE(actions[i]->icon().isNull());
        EXPECT_EQ(actions[i]->icon().availableSizes().value(0), QSize(17, 16));
    }
}

TEST(SmileyButton, OpensTheMenuAtItsCornerAndInsertsTheCode) {
    QWidget window;
    ChatInput box(&window);
    SmileyButton button(&window);
    button.setInput(&box);
    button.setGeometry(200, 10, 24, 22);
    window.resize(300, 60);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(button.objectName(), "button_smilies");

    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button.menu()->isVisible(); }, 5000));
    EXPECT_EQ(button.menu()->pos(), button.mapToGlobal(QPoint(button.width(), button.height())));
    button.menu()->actions().at(2)->trigger();
    EXPECT_EQ(box.text(), ":)#12");
    button.menu()->close();

    button.menu()->actions().at(17)->trigger();
    EXPECT_EQ(box.text(), ":)#12:)#27");
    EXPECT_EQ(box.cursorPosition(), box.text().size());
    box.insertSmiley(9);  // not a smiley tag
    box.insertSmiley(28);
    EXPECT_EQ(box.text(), ":)#12:)#27");
}

TEST(ChatColourDialog, ReturnsTheChoiceOrNothingOnCancel) {
    auto answer = [](bool accept) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, accept] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            timer->stop();
            timer->deleteLater();
            EXPECT_EQ(dialog->currentColor(), QColor(0, 0, 128));  // opened on the current colour
            dialog->setCurrentColor(QColor(255, 128, 0));
            accept ? dialog->accept() : dialog->reject();
        });
        timer->start(10);
    };
    answer(true);
    EXPECT_EQ(ChatColourDialog::choose(nullptr, tc::net::kNavy), tc::net::rgb(255, 128, 0));
    answer(false);
    EXPECT_EQ(ChatColourDialog::choose(nullptr, tc::net::kNavy), std::nullopt);
}

TEST(ChatInput, DrawnOnTheChatBackgroundWithABlackBorder) {
    ChatInput box;
    box.resize(200, 22);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    box.clear();
    const QImage img = box.grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 10), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(img.width() - 1, 10), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(img.width() - 10, 10), QColor(248, 249, 236));
}

TEST(SmileyImages, PackagedPicturesAreUsed) {
    for (int i = 0; i < SmileyImages::kCount; ++i) {
        const QImage packaged(SmileyImages::resourcePath(i));
        ASSERT_FALSE(packaged.isNull()) << i;
        EXPECT_EQ(SmileyImages::image(i).size(), QSize(17, 16));
        EXPECT_EQ(SmileyImages::image(i), packaged.convertToFormat(SmileyImages::image(i).format())) << i;
    }
    EXPECT_EQ(SmileyImages::image(99), SmileyImages::image(0));
}
