// The table as the X server shows it, at the sizes a player gives the
// window: all table below the menu bar, the parchment and the felt at their
// scaled places, and the table, scaled back to 1x, like the 1x reference.
// Grabs of the real window under an X server of the test's own (xcb).
#include <QPainter>

#include "TablePixels.h"
#include "client/BoardPictures.h"
#include "client/MainWindow.h"
#include "game/Lcg.h"

using tc::client::MainWindow;
using tc::client::TableScaler;
namespace px = tc::guitest::pixels;

namespace {

QImage reference() {
    static const QImage image(QStringLiteral(TILECREST_GUI_REFERENCE_DIR "/table-1x.png"));
    return image;
}

struct Window {
    tc::game::Lcg rng{1};
    MainWindow window{rng};
    Window() {
        window.move(0, 0);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    TableScaler* scaler() { return TableScaler::of(window.centralWidget()); }
    // The window's inside (menu bar and client area) at `size`.
    void resize(QSize size) {
        window.resize(size);
        EXPECT_TRUE(tc::guitest::waitUntil([&] { return window.size() == size; }));
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST(TablePixels, TheDefaultWindowIsAllTable) {
    ASSERT_FALSE(reference().isNull());
    Window w;
    const px::Shot s = px::grab(w.window);
    EXPECT_EQ(s.scale, 1.0);
    px::expectAllTable(s, reference(), "717 x 555");
}

TEST(TablePixels, AtEverySizeTheWindowIsAllTable) {
    Window w;
    for (const QSize size : {QSize(800, 600), QSize(1024, 768), QSize(1434, 1110), QSize(1600, 900)}) {
        w.resize(size);
        const px::Shot s = px::grab(w.window);
        const std::string what = std::to_string(size.width()) + " x " + std::to_string(size.height());
        EXPECT_GT(s.scale, 1.0) << what;
        px::expectAllTable(s, reference(), what.c_str());
    }
}

TEST(TablePixels, AMaximizedWindowIsAllTable) {
    Window w;
    w.window.showMaximized();
    const QSize screen = w.window.screen()->availableGeometry().size();
    // Without a window manager nobody sizes a maximized window; the X server
    // is bare, so the test does what the manager would.
    if (!tc::guitest::waitUntil([&] { return w.window.frameGeometry().size() == screen; }, 2000))
        w.window.setGeometry(w.window.screen()->availableGeometry());
    ASSERT_TRUE(tc::guitest::waitUntil([&] { return w.window.size() == screen; }));
    const px::Shot s = px::grab(w.window);
    EXPECT_GT(s.scale, 2.0);
    px::expectAllTable(s, reference(), "maximized");
}

TEST(TablePixels, DuringALiveResizeNoBareBackgroundShows) {
    Window w;
    w.resize({1024, 768});
    ASSERT_TRUE(tc::guitest::waitUntil([&] { return w.scaler()->settled(); }, 120000));
    // Each step at once, before anything is drawn for it (the table top is
    // drawn only once a size has stayed 150 ms, the pictures take longer):
    // the nearest drawing at hand, scaled to its place (the parchment where
    // the seats are), over wood where it does not reach.
    for (const QSize size : {QSize(1300, 1000), QSize(1900, 1150), QSize(900, 650), QSize(1600, 900)}) {
        w.resize(size);
        const px::Shot s = px::grab(w.window, false);
        const std::string what = "live " + std::to_string(size.width()) + " x " + std::to_string(size.height());
        EXPECT_EQ(px::bareBelowMenu(s), 0) << what;
        EXPECT_GE(px::parchmentShare(s), px::kMinParchment) << what;
        EXPECT_GE(px::feltShare(s), px::kMinFelt) << what;
    }
}

// The very first moment of a resize, before the program has painted the
// strip it uncovers: the X server fills it with the window's background,
// the table top's colour, not black and not the bare window's grey.
TEST(TablePixels, TheStripAResizeUncoversIsTheTablesColourBeforeItIsPainted) {
    Window w;
    w.resize({1024, 768});
    px::grab(w.window);
    w.window.resize(1600, 1000);  // no event handled after it: nothing painted there yet
    const QImage now = w.window.screen()->grabWindow(w.window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(now.size(), QSize(1600, 1000));
    int table = 0, other = 0;
    for (int y = 0; y < now.height(); y += 3)
        for (int x = y < 768 ? 1024 : 0; x < now.width(); x += 3)
            (now.pixel(x, y) == TableScaler::kTableColour.rgb() ? table : other) += 1;
    EXPECT_EQ(other, 0) << table;
    EXPECT_GT(table, 0);
}

// The checks catch the fault they are for: a picture left at its 1x size
// in a larger table (the table top with its parchment in the corner, the
// dice tray's cloth at its 1x size) fails them.
TEST(TablePixels, APictureLeftAt1xFailsTheChecks) {
    Window w;
    w.resize({1434, 1110});
    const px::Shot good = px::grab(w.window);
    ASSERT_LE(px::tableDifference(good, reference()), px::kTableTolerance);
    ASSERT_GE(px::parchmentShare(good), px::kMinParchment);

    const auto& packaged = tc::client::BoardPictures::instance();
    px::Shot top = good;
    {
        QPainter p(&top.image);
        p.drawPixmap(top.client.topLeft(), packaged.board);
    }
    EXPECT_LT(px::parchmentShare(top), px::kMinParchment);
    EXPECT_GT(px::tableDifference(top, reference()), px::kTableTolerance);

    px::Shot cloth = good;
    {
        QPainter p(&cloth.image);
        p.drawPixmap(cloth.place(QRect(3 + 186, 4 + 8, 505, 121)).topLeft(), packaged.dicePanel);
    }
    EXPECT_GT(px::tableDifference(cloth, reference()), px::kTableTolerance);

    px::Shot rack = good;
    {
        QPainter p(&rack.image);
        p.drawPixmap(rack.place(QRect(3 + 187, 4 + 128, 505, 110)).topLeft(), packaged.tileRow);
    }
    EXPECT_GT(px::tableDifference(rack, reference()), px::kTableTolerance);
    std::printf("[ pixels   ] a picture at 1x: table top %.2f (parchment %.3f), tray %.2f, rack %.2f; all right %.2f\n",
                px::tableDifference(top, reference()), px::parchmentShare(top), px::tableDifference(cloth, reference()),
                px::tableDifference(rack, reference()), px::tableDifference(good, reference()));
}
