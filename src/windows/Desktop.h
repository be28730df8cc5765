#pragma once
// What the side windows ask of the desktop: open an address or a file
// with whatever the player's system chooses, start an installed program,
// and tell the player something. Nothing fetched is ever executed by the
// program itself; a downloaded file only goes to openUrl, so the player's
// own desktop decides and asks. Tests put a recorder in its place.
#include <QString>
#include <QUrl>

class QWidget;

namespace tc::windows {

class Desktop {
public:
    virtual ~Desktop() = default;
    // False when nothing on the system can open it.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts an installed program, detached; false when it could not start.
    virtual bool startProgram(const QString& path) = 0;
    // A message box owned by `parent`.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;

    // The system's own, shared by the windows unless a test sets another.
    static Desktop& system();
};

} // namespace tc::windows
