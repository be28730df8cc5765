#pragma once
// The application-wide name and icon every window of the game shares.
//
// No application display name is set: on X11 Qt appends it to every window
// title that does not already end with it ("Tilecrest - Spys — Tilecrest"),
// and each window's caption is meant to read exactly as written.
namespace tc::app {

class ApplicationIdentity {
public:
    // Call once, after the QApplication exists and before any window. With
    // `withIcon` false the icon is left for applyIcon(): the first picture
    // read makes Qt look through its image plugins (about 3 ms), which the
    // program does after its window is on the screen.
    static void apply(bool withIcon = true);
    // The icon of every window that has none of its own, also of windows
    // already made.
    static void applyIcon();
};

} // namespace tc::app
