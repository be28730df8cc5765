#include "windows/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "Translations.h"
#include "chat/ReaderRoles.h"
#include "windows/Desktop.h"
#include "windows/DialogKeys.h"

namespace tc::windows {

namespace {

struct PageButton {
    const char* caption;
    int tag;
    const char* file;  // under :/help
};

constexpr PageButton kPages[] = {
    {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "Connecting"), 2, "connecting.html"}, {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "Game Play"), 3, "gameplay.html"},
    {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "Scoring"), 4, "scoring.html"},       {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "Documentation"), 5, "history.html"},
    {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "License"), 6, "LICENSE"},            {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "The Lobby"), 11, "lobby.html"},
    {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "Spectators"), 12, "spectators.html"}, {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "Menus"), 14, "menus.html"},
    {QT_TRANSLATE_NOOP("tc::windows::HelpWindow", "Keyboard"), 13, "keyboard.html"},
};
constexpr int kFirstPage = 3;
// The about and done buttons share this tag; neither names a page.
constexpr int kWindowButtonTag = 10;

// The page in the language the program speaks (:/help/LANG/<name>, see
// src/windows/CMakeLists.txt), else the English one: a page not yet
// translated is read in English rather than left blank.
QString readHelp(const QString& name) {
    for (const QString& path : {QStringLiteral(":/help/%1/%2").arg(i18n::current(), name), QStringLiteral(":/help/") + name}) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) return QString::fromUtf8(f.readAll());
    }
    return {};
}

QPushButton* columnButton(QWidget* parent, const QString& caption, const QString& name, int tag) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setProperty("tag", tag);
    b->setMinimumWidth(110);
    return b;
}

} // namespace

QString HelpWindow::pageText(int tag) {
    for (const PageButton& p : kPages) {
        if (p.tag != tag) continue;
        const QString text = readHelp(QString::fromLatin1(p.file));
        if (tag != 6) return text;
        // The licence is the project's own LICENSE file, word for word; its
        // paragraphs are wrapped to the page rather than kept at the file's
        // line breaks, which ran past the page's right edge.
        QString html = tr("<h3>License</h3><p>Tilecrest is free software under the MIT License:</p>");
        QString plain = text;
        plain.remove(QLatin1Char('\r'));
        for (const QString& para : plain.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)) {
            const QString joined = para.simplified();
            if (!joined.isEmpty()) html += QStringLiteral("<p>") + joined.toHtmlEscaped() + QStringLiteral("</p>");
        }
        return html;
    }
    return {};
}

HelpWindow::HelpWindow(QWidget* parent) : SideWindow({}, parent), desktop_(&Desktop::system()) {
    setObjectName(QStringLiteral("Thelp"));
    setWindowTitle(tr("Tilecrest - Help File"));
    resize(640, 460);

    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    stack_ = new QStackedWidget(this);
    stack_->setObjectName(QStringLiteral("pages"));
    for (const PageButton& p : kPages) {
        const QString caption = tr(p.caption);
        auto* b = columnButton(this, caption, QStringLiteral("SelButton%1").arg(p.tag), p.tag);
        connect(b, &QPushButton::clicked, this, [this, tag = p.tag] { showPage(tag); });
        column->addWidget(b);

        auto* memo = new QTextBrowser(stack_);
        memo->setObjectName(QStringLiteral("memo%1").arg(p.tag));
        memo->setReadOnly(true);
        chat::reader::markReadOnlyText(memo);
        memo->setAccessibleName(caption);
        // The browser itself would load a link's page into this memo, or
        // nothing at all for a web address.
        memo->setOpenLinks(false);
        connect(memo, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setHtml(pageText(p.tag));
        QPalette pal = memo->palette();
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, Qt::black);
        memo->setPalette(pal);
        stack_->addWidget(memo);
        pages_.insert(p.tag, memo);
        titles_.insert(p.tag, caption);
    }
    column->addStretch(1);
    auto* about = columnButton(this, tr("About"), QStringLiteral("button_about"), kWindowButtonTag);
    auto* done = columnButton(this, tr("Done"), QStringLiteral("button_done"), kWindowButtonTag);
    connect(about, &QPushButton::clicked, this, &HelpWindow::aboutRequested);
    connect(done, &QPushButton::clicked, this, &QWidget::hide);
    DialogKeys::install(this, done, QAccessible::Window);
    column->addWidget(about);
    column->addWidget(done);

    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("label_caption"));
    caption_->setTextFormat(Qt::PlainText);
    QFont bold = caption_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    caption_->setFont(bold);
    QPalette cp = caption_->palette();
    cp.setColor(QPalette::WindowText, QColor(255, 248, 220));
    caption_->setPalette(cp);

    auto* right = new QVBoxLayout;
    right->addWidget(caption_);
    right->addWidget(stack_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addLayout(right, 1);

    showPage(kFirstPage);
}

void HelpWindow::showPage(int tag) {
    QTextBrowser* memo = pages_.value(tag, nullptr);
    if (!memo) return;
    stack_->setCurrentWidget(memo);
    caption_->setText(titles_.value(tag));
}

void HelpWindow::follow(const QUrl& link) {
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        if (!desktop_->openUrl(link)) desktop_->showMessage(this, tr("Cannot open Webpage"));
        return;
    }
    // Another page of the help (or an anchor of this one); no other
    // scheme, file or unknown page opens anything.
    if (!scheme.isEmpty() || link.hasQuery()) return;
    const QString file = link.path();
    int tag = currentPage();
    if (!file.isEmpty()) {
        tag = 0;
        for (const PageButton& p : kPages)
            if (file == QLatin1String(p.file)) tag = p.tag;
    }
    QTextBrowser* memo = pages_.value(tag, nullptr);
    if (!memo) return;
    showPage(tag);
    if (link.hasFragment())
        memo->scrollToAnchor(link.fragment());
    else
        memo->verticalScrollBar()->setValue(0);
}

int HelpWindow::currentPage() const {
    return stack_->currentWidget() ? pages_.key(static_cast<QTextBrowser*>(stack_->currentWidget()), 0) : 0;
}

} // namespace tc::windows
