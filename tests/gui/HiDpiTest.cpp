// Under QT_SCALE_FACTOR=2 (set by this binary's main before the application
// starts, as a high-density screen would): the window is twice as large in
// pixels and its pictures have twice the pixels, not a blurred enlargement.
#include <QCoreApplication>
#include <QApplication>

#include "GuiTestRun.h"
#include "GuiTestSupport.h"
#include "TablePixels.h"
#include "client/BoardPanel.h"
#include "client/BoardPictureButton.h"
#include "client/DicePanel.h"
#include "client/MainWindow.h"
#include "client/TableScaler.h"
#include "client/TileControl.h"
#include "game/Lcg.h"

using tc::guitest::waitUntil;

TEST(HiDpi, TilePicturesHaveTwiceThePixelsAtDevicePixelRatioTwo) {
    tc::game::Lcg rng(1);
    tc::client::MainWindow window(rng);
    window.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(window.devicePixelRatioF(), 2.0);
    auto* scaler = tc::client::TableScaler::of(window.centralWidget());
    ASSERT_NE(scaler, nullptr);
    EXPECT_EQ(scaler->scale(), 1.0);  // the same table, on a denser screen
    ASSERT_TRUE(waitUntil([&] { return scaler->settled(); }, 60000));
    for (int n = 1; n <= 9; ++n) {
        const QPixmap& strip = window.board()->tile(n)->strip();
        EXPECT_EQ(strip.devicePixelRatio(), 2.0) << n;
        EXPECT_EQ(strip.size(), QSize(480, 182)) << n;
        EXPECT_EQ(window.board()->tile(n)->size(), QSize(48, 91)) << n;
    }
    const QPixmap& roll = window.board()->dicePanel()->rollButton()->picture();
    EXPECT_EQ(roll.size(), QSize(194, 38));
    // The window's own picture: twice the pixels of the 1x client area.
    const QImage shot = window.centralWidget()->grab().toImage();
    EXPECT_EQ(shot.size(), window.centralWidget()->size() * 2);
}

// The window as the X server shows it at a device pixel ratio of 2: all
// table, its parchment and felt in place, and the table, scaled back to 1x,
// like the 1x reference.
TEST(HiDpi, TheWindowIsAllTableAtTwiceTheDensity) {
    namespace px = tc::guitest::pixels;
    const QImage reference(QStringLiteral(TILECREST_GUI_REFERENCE_DIR "/table-1x.png"));
    ASSERT_FALSE(reference.isNull());
    tc::game::Lcg rng(1);
    tc::client::MainWindow window(rng);
    window.move(0, 0);
    window.show();
    ASSERT_EQ(window.devicePixelRatioF(), 2.0);
    const px::Shot atDefault = px::grab(window);
    EXPECT_EQ(atDefault.image.width(), window.width() * 2);
    px::expectAllTable(atDefault, reference, "default size at device pixel ratio 2");
    window.resize(900, 700);
    ASSERT_TRUE(waitUntil([&] { return window.size() == QSize(900, 700); }));
    px::expectAllTable(px::grab(window), reference, "900 x 700 at device pixel ratio 2");
}

int main(int argc, char** argv) {
    // Before the application starts, as the screen would set it.
    qputenv("QT_SCALE_FACTOR", "2");
    return tc::guitest::runGuiTests(argc, argv);
}
