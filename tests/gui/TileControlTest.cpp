#include <QElapsedTimer>
#include <QPainter>
#include <QSignalSpy>

#include "GuiTestSupport.h"
#include "client/TileControl.h"

using tc::client::TileControl;
using tc::guitest::waitUntil;

namespace {

// Every frame the tile shows from now until it stops by itself.
std::vector<int> playAndLog(TileControl& tile) {
    std::vector<int> frames{tile.frame()};
    // Every change is seen, however late the event loop runs under load.
    const auto seen = QObject::connect(&tile, &TileControl::frameChanged, [&](int f) { frames.push_back(f); });
    tile.setPlay(true);
    EXPECT_TRUE(waitUntil([&] { return !tile.playing(); }));
    QObject::disconnect(seen);
    return frames;
}

} // namespace

TEST(TileControl, FrameIsTakenModuloFive) {
    TileControl tile(3, QPixmap());
    EXPECT_EQ(tile.objectName(), "number_3");
    EXPECT_EQ(tile.size(), QSize(48, 91));
    tile.setFrame(7);
    EXPECT_EQ(tile.frame(), 2);
    tile.setFrame(-1);
    EXPECT_EQ(tile.frame(), 4);
    tile.setFrame(10);
    EXPECT_EQ(tile.frame(), 0);
}

TEST(TileControl, ForwardPlayStepsToTheLastFrameAndStops) {
    TileControl tile(1, QPixmap());
    tile.setInterval(10);
    QSignalSpy stopped(&tile, &TileControl::stopped);
    EXPECT_EQ(playAndLog(tile), (std::vector<int>{0, 1, 2, 3, 4}));
    ASSERT_EQ(stopped.count(), 1);
    EXPECT_EQ(stopped.at(0).at(0).toInt(), 1);
}

TEST(TileControl, ReversePlayStepsDownToFrameZeroAndStops) {
    TileControl tile(9, QPixmap());
    tile.setInterval(10);
    tile.setReverse(true);
    tile.setFrame(4);
    EXPECT_EQ(playAndLog(tile), (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST(TileControl, StepsEveryHundredMillisecondsByDefault) {
    TileControl tile(2, QPixmap());
    EXPECT_EQ(tile.interval(), 100);
    QElapsedTimer clock;
    clock.start();
    tile.setPlay(true);
    ASSERT_TRUE(waitUntil([&] { return !tile.playing(); }));
    // Four steps of 100 ms (coarse timers may fire up to 5% early).
    EXPECT_GE(clock.elapsed(), 350);
    EXPECT_EQ(tile.frame(), 4);
}

TEST(TileControl, PlayWhilePlayingGoesOnFromTheNewFrameAndDirection) {
    TileControl tile(5, QPixmap());
    tile.setInterval(20);
    tile.setPlay(true);
    ASSERT_TRUE(waitUntil([&] { return tile.frame() >= 1; }));
    // A slide back up in the middle of going down.
    tile.setReverse(true);
    tile.setFrame(4);
    tile.setPlay(true);
    ASSERT_TRUE(waitUntil([&] { return !tile.playing(); }));
    EXPECT_EQ(tile.frame(), 0);
}

TEST(TileControl, PlayDoesNothingWithoutAnInterval) {
    TileControl tile(4, QPixmap());
    tile.setInterval(0);
    tile.setPlay(true);
    EXPECT_FALSE(tile.playing());
    tile.setInterval(10);
    tile.setPlay(true);
    EXPECT_TRUE(tile.playing());
    tile.setPlay(false);
    EXPECT_FALSE(tile.playing());
    EXPECT_EQ(tile.frame(), 0);
}

TEST(TileControl, SeveralTilesAnimateAtOnce) {
    std::vector<std::unique_ptr<TileControl>> tiles;
    for (int n = 1; n <= 9; ++n) {
        tiles.push_back(std::make_unique<TileControl>(n, QPixmap()));
        tiles.back()->setInterval(30);
        tiles.back()->setReverse(true);
        tiles.back()->setFrame(4);
    }
    for (auto& t : tiles) t->setPlay(true);
    for (auto& t : tiles) EXPECT_TRUE(t->playing());
    ASSERT_TRUE(waitUntil([&] {
        return std::none_of(tiles.begin(), tiles.end(), [](auto& t) { return t->playing(); });
    }));
    for (auto& t : tiles) EXPECT_EQ(t->frame(), 0);
}

TEST(TileControl, MouseDownNamesTheTile) {
    QWidget host;
    auto* tile = new TileControl(7, QPixmap(), &host);
    host.show();
    QSignalSpy pressed(tile, &TileControl::pressed);
    QTest::mousePress(tile, Qt::LeftButton);
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), 7);
    QTest::mouseRelease(tile, Qt::LeftButton);
    EXPECT_EQ(pressed.count(), 1);
}

TEST(TileControl, DrawsTheFrameOfItsStrip) {
    // A strip whose five frames are five colours.
    QPixmap strip(240, 91);
    const QColor colours[5] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta};
    {
        QPainter p(&strip);
        for (int i = 0; i < 5; ++i) p.fillRect(48 * i, 0, 48, 91, colours[i]);
    }
    TileControl tile(1, strip);
    for (int f = 0; f < 5; ++f) {
        tile.setFrame(f);
        const QImage shot = tile.grab().toImage();
        EXPECT_EQ(shot.pixelColor(24, 45), colours[f]) << "frame " << f;
    }
}

TEST(TileControl, TheCoachsMarkIsAPipAtTheFootOverEveryFrame) {
    QPixmap strip(240, 91);
    strip.fill(QColor(200, 180, 150));
    TileControl tile(4, strip);
    auto pixel = [&](int x, int y) { return tile.grab().toImage().pixelColor(x, y); };
    const QColor plain = pixel(24, 81);
    EXPECT_FALSE(tile.bestMove());
    tile.setBestMove(true);
    EXPECT_TRUE(tile.bestMove());
    for (int frame : {0, 4}) {
        tile.setFrame(frame);
        const QColor pip = pixel(24, 81);
        EXPECT_GT(pip.red(), 230) << frame;
        EXPECT_LT(pip.blue(), 120) << frame;
        // Only the foot: the face and the number stay as they were.
        EXPECT_EQ(pixel(24, 40), plain);
        EXPECT_EQ(pixel(24, 70), plain);
    }
    tile.setBestMove(false);
    EXPECT_EQ(pixel(24, 81), plain);
}
