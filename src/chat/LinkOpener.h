#pragma once
// How the chat pane opens a clicked web address and reports a refusal.
// The pane has a desktop implementation by default; tests put a recorder
// in its place.
#include <QString>
#include <QUrl>

class QWidget;

namespace tc::chat {

class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    // Asks the system to open an http/https address (a URL reaches here
    // only after the web-address check). Returns false when the system has
    // nothing to open it with; the pane then shows its failure text.
    virtual bool openUrl(const QUrl& url) = 0;
    // A link that may not or cannot be opened: show `text`
    // ("Cannot open Webpage") to the user, owned by `parent`.
    virtual void showFailure(QWidget* parent, const QString& text) = 0;
};

} // namespace tc::chat
