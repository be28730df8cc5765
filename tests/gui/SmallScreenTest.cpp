// The first window fits its screen's available area. On a screen too small
// for the 1x table (ctest runs these once more on a 640 x 480 X server:
// gui_small_screen) the window is made to fit and the table shrinks with it,
// still all table; on a larger one nothing changes.
#include "TablePixels.h"
#include "client/MainWindow.h"
#include "client/TableScaler.h"
#include "game/Lcg.h"

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
