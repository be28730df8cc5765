#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

#include "chat/ChatPane.h"
#include "chat/LinkOpener.h"

using namespace tc::chat;

namespace {

constexpr Colour kBlue = 0xFF0000;
constexpr Colour kGreen = 0x008000;

struct RecordingOpener : LinkOpener {
    QList<QUrl> opened;
    QStringList failures;
    bool canOpen = true;
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return canOpen;
    }
    void showFailure(QWidget*, const QString& text) override { failures.append(text); }
};

struct ChatPaneTest : ::testing::Test {
    ChatPane pane;
    RecordingOpener opener;

    ChatPaneTest() {
        pane.setLinkOpener(&opener);
        pane.resize(500, 200);
    }

    void show() {
        pane.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    }

    QString blockText(int n) const { return pane.document()->findBlockByNumber(n).text(); }
    int blockStart(int n) const { return pane.document()->findBlockByNumber(n).position(); }
    QTextCharFormat formatAt(int position) const {
        QTextCursor c(pane.document());
        c.setPosition(position + 1);  // the format of the character before
        return c.charFormat();
    }
    // Position of the first occurrence of `text` in the document.
    int find(const QString& text) const { return pane.document()->toPlainText().indexOf(text); }

    // Clicks in the middle of the character at `position`.
    void clickAt(int position) {
        QTextCursor c(pane.document());
        c.setPosition(position);
        const QRect r = pane.cursorRect(c);
        const QPoint p(r.x() + 3, r.center().y());
        QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, p);
    }
};

// Share of pixels in `area` of the rendered viewport whose colour is
// within a small distance of `c` (glyph cores are drawn in the text colour).
int pixelsNear(const QImage& img, const QRect& area, QColor c) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom() && y < img.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 40)
                ++n;
        }
    return n;
}

} // namespace

TEST_F(ChatPaneTest, LooksAndNames) {
    EXPECT_EQ(pane.objectName(), "mainchat");
    EXPECT_EQ(pane.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(pane.isReadOnly());
    EXPECT_EQ(pane.palette().color(QPalette::Base), QColor(248, 249, 236));
    const QTextFrameFormat root = pane.document()->rootFrame()->frameFormat();
    EXPECT_EQ(root.leftMargin(), 5);
    EXPECT_EQ(root.rightMargin(), 5);
    EXPECT_EQ(pane.textSize(), 10);
}

TEST_F(ChatPaneTest, SystemLineIsOneBoldBlueParagraph) {
    pane.addLineToChat("0+You are Connected.", kBlue);
    ASSERT_EQ(pane.document()->blockCount(), 1);
    EXPECT_EQ(blockText(0), " You are Connected. ");
    const QTextCharFormat f = formatAt(3);
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_FALSE(f.fontItalic());
    EXPECT_EQ(f.fontPointSize(), 10);
    EXPECT_EQ(f.fontFamilies().toStringList(), (QStringList{"Arial", "Liberation Sans"}));
    EXPECT_EQ(pane.textColourAt(3), QColor(0, 0, 255));

    pane.addLineToChat("0+", kBlue);
    pane.addLineToChat("3+Ann chats: hello", 0x000000);
    ASSERT_EQ(pane.document()->blockCount(), 3);
    EXPECT_EQ(blockText(1), " ");
    EXPECT_EQ(blockText(2), "Ann chats:  hello ");
}

TEST_F(ChatPaneTest, RefusedLinesLeaveThePaneAlone) {
    pane.addLineToChat("0+first", kBlue);
    const QString before = pane.document()->toPlainText();
    for (const char* bad : {"x+hello", "10+hi", "-1+hi", "no plus", "+x"}) pane.addLineToChat(bad, kBlue);
    EXPECT_EQ(pane.document()->toPlainText(), before);
    EXPECT_EQ(pane.document()->blockCount(), 1);
}

TEST_F(ChatPaneTest, NewColourOfASlotRecoloursItsEarlierLinesOnly) {
    show();
    pane.addLineToChat("3+Ann chats: one", 0x000000);
    pane.addLineToChat("4+Bob chats: two", kGreen);
    pane.addLineToChat("3+Ann chats: three", 0x0000FF);  // red
    EXPECT_EQ(pane.textColourAt(blockStart(0) + 2), QColor(255, 0, 0));
    EXPECT_EQ(pane.textColourAt(blockStart(1) + 2), QColor(0, 128, 0));
    EXPECT_EQ(pane.textColourAt(blockStart(2) + 2), QColor(255, 0, 0));

    // What is drawn agrees: no black text left in Ann's first line.
    QCoreApplication::processEvents();
    const QImage img = pane.viewport()->grab().toImage();
    const QRect first = pane.document()->documentLayout()->blockBoundingRect(
        pane.document()->findBlockByNumber(0)).toRect();
    EXPECT_GT(pixelsNear(img, first, Qt::red), 10);
    EXPECT_EQ(pixelsNear(img, first, Qt::black), 0);
    const QRect second = pane.document()->documentLayout()->blockBoundingRect(
        pane.document()->findBlockByNumber(1)).toRect();
    EXPECT_GT(pixelsNear(img, second, QColor(0, 128, 0)), 10);
    EXPECT_EQ(pixelsNear(img, second, Qt::red), 0);
}

TEST_F(ChatPaneTest, NavySystemLineTurnsAllSystemLinesNavyAndBack) {
    show();
    pane.addLineToChat("0+Game starts.", kBlue);
    pane.addLineToChat("1+Bob chats: hi", 0x000000);
    pane.addLineToChat("0+Ann is watching.", tc::net::kNavy);
    EXPECT_EQ(pane.textColourAt(blockStart(0) + 2), QColor(0, 0, 128));
    EXPECT_EQ(pane.textColourAt(blockStart(1) + 2), QColor(0, 0, 0));
    EXPECT_EQ(pane.textColourAt(blockStart(2) + 2), QColor(0, 0, 128));
    QCoreApplication::processEvents();
    QImage img = pane.viewport()->grab().toImage();
    const QRect first = pane.document()->documentLayout()->blockBoundingRect(
        pane.document()->findBlockByNumber(0)).toRect();
    EXPECT_GT(pixelsNear(img, first, QColor(0, 0, 128)), 10);
    EXPECT_EQ(pixelsNear(img, first, QColor(0, 0, 255)), 0);

    pane.addLineToChat("0+Next turn.", kBlue);
    for (int b : {0, 2, 3}) EXPECT_EQ(pane.textColourAt(blockStart(b) + 2), QColor(0, 0, 255)) << b;
    QCoreApplication::processEvents();
    img = pane.viewport()->grab().toImage();
    EXPECT_EQ(pixelsNear(img, first, QColor(0, 0, 128)), 0);
}

TEST_F(ChatPaneTest, RecolouringReachesLinesScrolledIntoView) {
    show();
    for (int i = 0; i < 60; ++i) pane.addLineToChat(QStringLiteral("2+Cid chats: line %1").arg(i), 0x000000);
    pane.addLineToChat("2+Cid chats: now purple", 0x800080);
    pane.verticalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    const QImage img = pane.viewport()->grab().toImage();
    const QRect top(0, 0, img.width() - 1, 40);
    EXPECT_GT(pixelsNear(img, top, QColor(128, 0, 128)), 10);
    EXPECT_EQ(pixelsNear(img, top, Qt::black), 0);
}

TEST_F(ChatPaneTest, LinksAreGreenUnderlinedAndOpenOnlyWebAddresses) {
    show();
    pane.addLineToChat("5+Eve chats: see WWW.Example.com and http://a.org/x", kBlue);
    EXPECT_EQ(pane.linkCounter(), 1);
    EXPECT_EQ(pane.linkurls(0), QString("WWW.Example.com "));
    const int first = find("WWW.");
    const QTextCharFormat f = formatAt(first);
    EXPECT_TRUE(f.isAnchor());
    EXPECT_TRUE(f.fontUnderline());
    EXPECT_NE(f.fontWeight(), QFont::Bold);
    EXPECT_EQ(pane.textColourAt(first), QColor(0, 128, 0));

    clickAt(first + 2);
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened[0], QUrl("http://www.example.com"));
    clickAt(find("http://a.org") + 3);
    ASSERT_EQ(opener.opened.size(), 2);
    EXPECT_EQ(opener.opened[1], QUrl("http://a.org/x"));
    // Text next to the links is not a link.
    clickAt(find("see") + 1);
    EXPECT_EQ(opener.opened.size(), 2);
    EXPECT_TRUE(opener.failures.isEmpty());

    // A link word with no address after its prefix is refused.
    pane.addLineToChat("0+x: http://", kBlue);
    clickAt(find("http:// ") + 2);
    EXPECT_EQ(opener.opened.size(), 2);
    EXPECT_EQ(opener.failures, QStringList{"Cannot open Webpage"});
    pane.mainchatJump(42);
    EXPECT_EQ(opener.failures.size(), 2);

    // A web address the system has nothing to open with is reported too.
    opener.canOpen = false;
    clickAt(first + 2);
    EXPECT_EQ(opener.opened.size(), 3);
    EXPECT_EQ(opener.failures.size(), 3);
    EXPECT_EQ(opener.failures.back(), "Cannot open Webpage");
}

TEST_F(ChatPaneTest, ClearChatEmptiesPaneRestartsLinksAndAsksForFocus) {
    show();
    QSignalSpy focus(&pane, &ChatPane::focusInputRequested);
    pane.addLineToChat("0+a: www.one.org www.two.org", kBlue);
    EXPECT_EQ(pane.linkCounter(), 1);
    pane.clearChatAction()->trigger();
    EXPECT_EQ(focus.count(), 1);
    EXPECT_TRUE(pane.document()->isEmpty());
    EXPECT_EQ(pane.linkCounter(), -1);
    EXPECT_EQ(pane.linkurls(0), std::nullopt);

    pane.addLineToChat("0+b: www.three.org", kBlue);
    EXPECT_EQ(pane.linkCounter(), 0);
    ASSERT_EQ(pane.document()->blockCount(), 1);
    EXPECT_EQ(blockText(0), "b:  www.three.org ");
    clickAt(find("three"));
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened[0], QUrl("http://www.three.org"));
}

TEST_F(ChatPaneTest, SmileysAreInlinePictures) {
    pane.addLineToChat("1+Bob chats: hi :)#12 there", kBlue);
    const QString text = blockText(0);
    const int at = text.indexOf(QChar(QChar::ObjectReplacementCharacter));
    EXPECT_EQ(text.left(at), "Bob chats:  hi  ");
    EXPECT_EQ(text.mid(at + 1), " there ");
    const QTextCharFormat f = formatAt(at);
    ASSERT_TRUE(f.isImageFormat());
    const QTextImageFormat img = f.toImageFormat();
    EXPECT_EQ(img.width(), 17);
    EXPECT_EQ(img.height(), 16);
    const QVariant picture = pane.document()->resource(QTextDocument::ImageResource, QUrl(img.name()));
    EXPECT_EQ(picture.value<QImage>().size(), QSize(17, 16));
    // Codes out of range show picture 0, the same picture as ":)#10".
    pane.addLineToChat("1+Bob chats: :)#99:)#10", kBlue);
    const QString t1 = blockText(1);
    const int p1 = blockStart(1) + t1.indexOf(QChar(QChar::ObjectReplacementCharacter));
    const int p2 = blockStart(1) + t1.lastIndexOf(QChar(QChar::ObjectReplacementCharacter));
    ASSERT_LT(p1, p2);
    EXPECT_EQ(formatAt(p1).toImageFormat().name(), formatAt(p2).toImageFormat().name());
    EXPECT_NE(formatAt(p1).toImageFormat().name(), img.name());
}

TEST_F(ChatPaneTest, ContextMenuItemsInOrder) {
    const auto actions = pane.contextMenu()->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), "Select All");
    EXPECT_EQ(actions[1]->text(), "Copy");
    EXPECT_EQ(actions[1]->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(actions[2]->text(), "Clear Chat");
    EXPECT_TRUE(actions[3]->isSeparator());
    EXPECT_EQ(actions[4]->text(), "Scroll Chat Off");
    EXPECT_EQ(actions[4]->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(actions[4]->isCheckable());
    EXPECT_FALSE(actions[4]->isChecked());
    EXPECT_EQ(actions[4], pane.scrollChatOffAction());
}

TEST_F(ChatPaneTest, SelectAllAndCopyGivePlainText) {
    QApplication::clipboard()->setText("untouched");
    pane.selectAllAction()->trigger();  // empty pane: nothing
    EXPECT_FALSE(pane.textCursor().hasSelection());
    pane.copyAction()->trigger();       // no selection: nothing
    EXPECT_EQ(QApplication::clipboard()->text(), "untouched");

    pane.addLineToChat("1+Bob chats: hi :)#12", kBlue);
    pane.addLineToChat("0+www.x.org", kBlue);
    pane.selectAllAction()->trigger();
    EXPECT_TRUE(pane.textCursor().hasSelection());
    pane.copyAction()->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Bob chats:  hi  \n www.x.org ");
}

TEST_F(ChatPaneTest, ScrollChatOffKeepsThePosition) {
    show();
    QScrollBar* bar = pane.verticalScrollBar();
    for (int i = 0; i < 50; ++i) pane.addLineToChat(QStringLiteral("0+line %1").arg(i), kBlue);
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    QSignalSpy changed(&pane, &ChatPane::scrollChatOffChanged);
    pane.scrollChatOffAction()->trigger();
    EXPECT_TRUE(pane.scrollChatOff());
    EXPECT_EQ(changed.count(), 1);
    bar->setValue(20);
    const int maxBefore = bar->maximum();
    for (int i = 0; i < 20; ++i) pane.addLineToChat(QStringLiteral("0+more %1").arg(i), kBlue);
    EXPECT_GT(bar->maximum(), maxBefore);
    EXPECT_EQ(bar->value(), 20);

    pane.setScrollChatOff(false);
    EXPECT_EQ(changed.count(), 2);
    pane.addLineToChat("0+back to the end", kBlue);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ChatPaneTest, TextSizeShowsFromTheNextLine) {
    pane.addLineToChat("0+a: www.x.org", kBlue);
    pane.setTextSize(14);
    EXPECT_EQ(pane.textSize(), 14);
    EXPECT_EQ(formatAt(1).fontPointSize(), 10);
    pane.addLineToChat("2+Cid chats: b", kBlue);
    EXPECT_EQ(formatAt(1).fontPointSize(), 14);
    EXPECT_EQ(formatAt(find("www")).fontPointSize(), 14);
    EXPECT_EQ(formatAt(blockStart(1) + 1).fontPointSize(), 14);
    EXPECT_TRUE(formatAt(find("www")).isAnchor());
}

TEST_F(ChatPaneTest, OldestLinesLeaveAFullPane) {
    pane.setLineLimit(20, 5);
    for (int i = 0; i < 21; ++i)
        pane.addLineToChat(QStringLiteral("%1+p%2 chats: www.site%2.org").arg(i % 3).arg(i), i % 3 == 0 ? kBlue : 0x000000);
    EXPECT_EQ(pane.document()->blockCount(), 16);
    EXPECT_EQ(blockText(0), "p5 chats:  www.site5.org ");
    EXPECT_EQ(pane.linkurls(4), std::nullopt);
    EXPECT_EQ(pane.linkurls(5), QString("www.site5.org "));
    pane.mainchatJump(20);
    ASSERT_EQ(opener.opened.size(), 1);
    EXPECT_EQ(opener.opened[0], QUrl("http://www.site20.org"));
    // Colours still follow the entries after the front was cut.
    pane.addLineToChat("1+p: x", tc::net::kNavy);
    EXPECT_EQ(pane.textColourAt(find("p7 chats:") + 1), QColor(0, 0, 128));  // slot 1
    EXPECT_EQ(pane.textColourAt(find("p6 chats:") + 1), QColor(0, 0, 255));  // slot 0
}

TEST_F(ChatPaneTest, HandCursorOverLinksOnly) {
    show();
    pane.addLineToChat("0+go: www.x.org now", kBlue);
    QTextCursor c(pane.document());
    c.setPosition(find("www") + 2);
    // On a real X server the pointer's move comes back as an event a
    // moment later.
    QTest::mouseMove(pane.viewport(), pane.cursorRect(c).center() + QPoint(2, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane.viewport()->cursor().shape() == Qt::PointingHandCursor; }));
    c.setPosition(find("now") + 1);
    QTest::mouseMove(pane.viewport(), pane.cursorRect(c).center() + QPoint(2, 0));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane.viewport()->cursor().shape() != Qt::PointingHandCursor; }));
}

TEST_F(ChatPaneTest, CtrlSTogglesScrollChatOffInTheWindow) {
    show();
    pane.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
    pane.setFocus();
    QTest::keyClick(&pane, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(pane.scrollChatOff());
    QTest::keyClick(&pane, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(pane.scrollChatOff());
}
