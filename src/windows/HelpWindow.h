#pragma once
// `Thelp`: a column of buttons beside a stack of read-only pages, with the
// page's name in bold above it. Each page button's tag names its page
// (memo followed by the tag); "About" opens the about window instead and
// "Done" hides the help. A link between pages ("page.html#anchor") brings
// that page forward at its anchor; a web link goes to the desktop, as the
// about window's do.
#include <QMap>

#include "windows/SideWindow.h"

class QLabel;
class QStackedWidget;
class QTextBrowser;
class QUrl;

namespace tc::windows {

class Desktop;

class HelpWindow : public SideWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // SelButton1Click for the button with this tag; unknown tags do nothing.
    void showPage(int tag);
    int currentPage() const;
    QTextBrowser* page(int tag) const { return pages_.value(tag, nullptr); }
    // Who opens web links; the system's unless a test sets another.
    void setDesktop(Desktop* desktop) { desktop_ = desktop; }

    // The page's rich text, from the packaged help files, in the language
    // in force (i18n::current()) where that page is translated.
    static QString pageText(int tag);

signals:
    void aboutRequested();  // button_aboutClick

private:
    void follow(const QUrl& link);

    QLabel* caption_;
    QStackedWidget* stack_;
    QMap<int, QTextBrowser*> pages_;
    QMap<int, QString> titles_;
    Desktop* desktop_;
};

} // namespace tc::windows
