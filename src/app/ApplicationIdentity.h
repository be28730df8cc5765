#pragma once
// The application-wide name and icon every window of the game shares.
//
// No application display name is set: on X11 Qt appends it to every window
// title that does not already end with it ("Tilecrest - Spys — Tilecrest"),
// and each window's caption is meant to read exactly as written.
namespace tc::app {

class ApplicationIdentity {
public:
    // Call once, after the QApplication exists and before any window.
    static void apply();
};

} // namespace tc::app
