// The first window fits its screen's available area. On a screen too small
// for the 1x table (ctest runs these once more on a 640 x 480 X server:
// gui_small_screen) the window is made to fit and the table shrinks with it,
// still all table; on a larger one nothing changes.
#include "TablePixels.h"
#include "client/MainWindow.h"
#include "client/TableScaler.h"
#include "game/Lcg.h"
#include "windows/DownloadWindow.h"

namespace px = tc::guitest::pixels;

TEST(SmallScreen, TheFirstWindowFitsTheScreenAndIsAllTable) {
    tc::game::Lcg rng(1);
    tc::client::MainWindow window(rng);
    window.move(200, 150);  // partly off a small screen
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect area = window.screen()->availableGeometry();
    ASSERT_TRUE(tc::guitest::waitUntil([&] { return area.contains(window.frameGeometry()); }))
        << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " on " << area.width() << "x"
        << area.height();
    auto* scaler = tc::client::TableScaler::of(window.centralWidget());
    const bool small = area.width() < 717 || area.height() < 600;
    if (small)
        EXPECT_LT(scaler->scale(), 1.0);
    else
        EXPECT_EQ(scaler->scale(), 1.0);
    const QImage reference(QStringLiteral(TILECREST_GUI_REFERENCE_DIR "/table-1x.png"));
    px::expectAllTable(px::grab(window), reference, small ? "on a small screen" : "on a large screen");
}

// The lobby's offer, shown at a first start, fits the screen too.
TEST(SmallScreen, TheLobbyOfferFitsTheScreen) {
    tc::windows::DownloadWindow offer{tc::windows::WebAddresses{}};
    offer.showCentredOnScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&offer));
    const QRect area = offer.screen()->availableGeometry();
    ASSERT_TRUE(tc::guitest::waitUntil([&] { return area.contains(offer.frameGeometry()); }))
        << offer.frameGeometry().x() << "," << offer.frameGeometry().y() << " " << offer.frameGeometry().width() << "x"
        << offer.frameGeometry().height() << " (" << offer.width() << "x" << offer.height() << ") on " << area.width()
        << "x" << area.height();
    if (area.width() < 660) {
        EXPECT_LT(offer.width(), 660);
    } else {
        EXPECT_EQ(offer.size(), QSize(660, 370));
    }
    // Drawn: the wood's background, not the window's bare grey, in its corners.
    const QImage shot = offer.grab().toImage();
    for (const QPoint at : {QPoint(2, 2), QPoint(shot.width() - 3, 2), QPoint(2, shot.height() - 3)})
        EXPECT_NE(shot.pixelColor(at), QColor(0xEF, 0xEF, 0xEF)) << at.x() << "," << at.y();
}
