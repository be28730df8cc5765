// One QApplication for every GUI test, on the xcb platform under an X server
// of its own (tests/with-xvfb.sh).
#include <QApplication>

#include "GuiTestRun.h"

#include "app/ApplicationIdentity.h"

int main(int argc, char** argv) {
    // The games these tests host must never be announced on a real network:
    // a system bus that is not there leaves the machine's Avahi unasked.
    // (tests/discovery announces inside a private network namespace.)
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tilecrest-tests/system_bus_socket");
    // Nor may they ask a router on it: ctest turns port mapping off for
    // every test, and a binary run by hand gets the same here (the router
    // tests ask only inside private namespaces, from a binary of their own).
    qputenv("TILECREST_NO_PORT_MAP", "1");
    // English, whatever the desktop speaks, unless a test runs in a language
    // of its own on purpose (tests/gui/CMakeLists.txt).
    if (qEnvironmentVariableIsEmpty("TILECREST_TEST_LANGUAGE")) qputenv("LANGUAGE", "en");
    // The same application identity the program sets up, so window titles
    // come out as they do for the player.
    return tc::guitest::runGuiTests(argc, argv, [] { tc::app::ApplicationIdentity::apply(); });
}
