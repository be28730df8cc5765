#include "chat/ChatPane.h"

#include "chat/ScaledStyle.h"

#include <QAccessible>
#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>

#include "chat/DesktopLinkOpener.h"
#include "chat/LinkAddress.h"
#include "chat/QtColour.h"
#include "chat/ReaderRoles.h"
#include "chat/SmileyImages.h"

namespace tc::chat {
namespace {

const QString kLinkScheme = QStringLiteral("tclink");
const QString kSmileyScheme = QStringLiteral("smiley");
const QColor kBackground(248, 249, 236);

// Line breaks and other controls from a peer would split or garble the
// paragraph; they show as spaces.
QString displayText(const std::string& utf8) {
    QString s = QString::fromStdString(utf8);
    for (QChar& c : s) {
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
            c == QChar::ObjectReplacementCharacter)
            c = QLatin1Char(' ');
    }
    return s;
}

} // namespace

ChatPane::ChatPane(QWidget* parent)
    : QTextBrowser(parent), desktopOpener_(std::make_unique<DesktopLinkOpener>()) {
    setObjectName(QStringLiteral("mainchat"));
    // Marked before anything tells a reader of the pane, which would make
    // its interface.
    reader::markReadOnlyText(this);
    setAccessibleName(tr("Chat"));
    opener_ = desktopOpener_.get();
    shownSize_ = styles_.size();

    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, kBackground);
    setPalette(pal);
    applyLook();
    connect(this, &QTextBrowser::anchorClicked, this, &ChatPane::onAnchorClicked);
    // The text control tells a reader of every piece put into the document
    // (a line's head, its words, each smiley: overlapping insertions with
    // raw separators); the pane tells each line once, whole, itself
    // (announce), and each removal (told).
    for (QObject* control : children())
        if (control->inherits("QWidgetTextControl"))
            disconnect(document(), SIGNAL(contentsChange(int,int,int)), control, nullptr);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ChatPane::refreshOverrides);

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    selectAll_ = menu_->addAction(tr("Select All"), this, &ChatPane::selectAllChat);
    selectAll_->setObjectName(QStringLiteral("SelectAll1"));
    copy_ = menu_->addAction(tr("Copy"), this, &ChatPane::copySelection);
    copy_->setObjectName(QStringLiteral("Copy1"));
    copy_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    copy_->setShortcutContext(Qt::WidgetShortcut);
    clearChat_ = menu_->addAction(tr("Clear Chat"), this, &ChatPane::clearChat);
    clearChat_->setObjectName(QStringLiteral("ClearChat1"));
    menu_->addSeparator();
    scrollOff_ = menu_->addAction(tr("Scroll Chat Off"));
    scrollOff_->setObjectName(QStringLiteral("ScrollChatOff1"));
    scrollOff_->setCheckable(true);
    scrollOff_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    scrollOff_->setShortcutContext(Qt::WindowShortcut);
    connect(scrollOff_, &QAction::toggled, this, &ChatPane::scrollChatOffChanged);
    addAction(copy_);
    addAction(scrollOff_);

    rescale_ = new QTimer(this);
    rescale_->setSingleShot(true);
    rescale_->setInterval(150);
    connect(rescale_, &QTimer::timeout, this, &ChatPane::showTableScale);
}

ChatPane::~ChatPane() = default;

void ChatPane::applyLook() {
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    QTextFrameFormat root = doc->rootFrame()->frameFormat();
    root.setMargin(0);
    root.setLeftMargin(5);
    root.setRightMargin(5);
    doc->rootFrame()->setFrameFormat(root);
    end_ = QTextCursor(doc);
    end_.movePosition(QTextCursor::End);
}

void ChatPane::resetDocument() {
    if (QAccessible::isActive() && !document()->isEmpty()) {
        QAccessibleTextRemoveEvent gone(this, 0, document()->toPlainText());
        QAccessible::updateAccessibility(&gone);
    }
    document()->clear();
    runs_.clear();
    setExtraSelections({});
    lineFirstLink_.clear();
    base_ = 0;
    empty_ = true;
    applyLook();
}

void ChatPane::setLinkOpener(LinkOpener* opener) {
    opener_ = opener ? opener : desktopOpener_.get();
}

void ChatPane::setTextSize(int points) { styles_.setSize(points); }

void ChatPane::showTextSize() {
    const double points = styles_.size() * tableScale_;
    if (!empty_ && points != shownSize_) {
        // A new text size reaches every item, links and pictures included:
        // one pass over the document, only when the size was changed.
        QTextCharFormat f;
        f.setFontPointSize(points);
        QTextCursor all(document());
        all.beginEditBlock();
        all.select(QTextCursor::Document);
        all.mergeCharFormat(f);
        all.endEditBlock();
    }
    shownSize_ = points;
}

void ChatPane::setTableScale(double scale, double pictureScale) {
    if (scale == tableScale_ && pictureScale == pictureScale_) return;
    // The scroll bar and the pane's menu grow with the table too.
    if (!scaledStyle_) scaledStyle_ = new ScaledStyle(this);
    scaleWidget(verticalScrollBar(), scaledStyle_, scale);
    scaleWidget(horizontalScrollBar(), scaledStyle_, scale);
    scaleWidget(menu_, scaledStyle_, scale);
    tableScale_ = scale;
    pictureScale_ = pictureScale;
    // Reformatting is one pass over the document: a long chat waits until
    // the window has stopped changing size.
    if (document()->blockCount() <= 2000)
        showTableScale();
    else
        rescale_->start();
}

QString ChatPane::smileyName(int index) const {
    QString name = kSmileyScheme + QLatin1Char(':') + QString::number(index);
    if (pictureScale_ != 1.0) name += QLatin1Char('@') + QString::number(pictureScale_);
    return name;
}

void ChatPane::showTableScale() {
    rescale_->stop();
    keepPlace([this] {
        showTextSize();
        if (empty_ || (shownTableScale_ == tableScale_ && shownPictureScale_ == pictureScale_)) return;
        // The smileys: their size and the resolution they are drawn at.
        std::vector<std::pair<int, int>> pictures;  // position, index
        for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (!f.charFormat().isImageFormat()) continue;
                const QUrl name(f.charFormat().toImageFormat().name());
                if (name.scheme() != kSmileyScheme) continue;
                for (int i = 0; i < f.length(); ++i)
                    pictures.emplace_back(f.position() + i, name.path().section(QLatin1Char('@'), 0, 0).toInt());
            }
        QTextCursor c(document());
        c.beginEditBlock();
        for (const auto& [position, index] : pictures) {
            c.setPosition(position);
            c.setPosition(position + 1, QTextCursor::KeepAnchor);
            QTextImageFormat img = c.charFormat().toImageFormat();
            img.setName(smileyName(index));
            img.setWidth(SmileyImages::kWidth * tableScale_);
            img.setHeight(SmileyImages::kHeight * tableScale_);
            c.setCharFormat(img);
        }
        c.endEditBlock();
    });
    shownTableScale_ = tableScale_;
    shownPictureScale_ = pictureScale_;
    refreshOverrides();
}

void ChatPane::keepPlace(const std::function<void()>& change) {
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    QTextCursor top = cursorForPosition(QPoint(0, 0));
    const int anchor = top.position();
    const int offset = cursorRect(top).top();
    change();
    if (atEnd) {
        bar->setValue(bar->maximum());
        return;
    }
    QTextCursor c(document());
    c.setPosition(std::min(anchor, document()->characterCount() - 1));
    bar->setValue(bar->value() + cursorRect(c).top() - offset);
}

bool ChatPane::scrollChatOff() const { return scrollOff_->isChecked(); }

void ChatPane::setScrollChatOff(bool off) { scrollOff_->setChecked(off); }

std::optional<QString> ChatPane::linkurls(int k) const {
    const auto a = parser_.linkurls(k);
    if (!a) return std::nullopt;
    return QString::fromStdString(*a);
}

QTextCharFormat ChatPane::formatFor(int entry) const {
    const TextStyle& s = styles_.entry(entry);
    QTextCharFormat f;
    f.setFontFamilies({QString::fromStdString(s.font), QStringLiteral("Liberation Sans")});
    f.setFontPointSize(s.size * tableScale_);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setForeground(toQColor(s.colour));
    return f;
}

void ChatPane::addRun(int entry, Colour colour, qint64 start, qint64 end) {
    // A run that goes on where the last one stopped (in the same paragraph,
    // or right after the paragraph break that ended it) in the same entry
    // and colour is the same run; a slot's consecutive lines cost one run.
    if (!runs_.empty()) {
        Run& last = runs_.back();
        if (last.entry == entry && last.colour == colour && (last.end == start || last.end + 1 == start)) {
            last.end = end;
            return;
        }
    }
    runs_.push_back({start, end, entry, colour});
}

const ChatPane::Run* ChatPane::runAt(qint64 absolute) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), absolute,
                               [](qint64 p, const Run& r) { return p < r.end; });
    if (it == runs_.end() || it->start > absolute) return nullptr;
    return &*it;
}

QColor ChatPane::textColourAt(int position) const {
    if (const Run* r = runAt(position + base_)) return toQColor(styles_.entry(r->entry).colour);
    QTextCursor c(document());
    c.setPosition(position);
    if (position < document()->characterCount() - 1) c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    return c.charFormat().foreground().color();
}

void ChatPane::refreshOverrides() {
    QList<QTextEdit::ExtraSelection> overrides;
    if (!runs_.empty()) {
        // Whole paragraphs from the top of the view to its bottom.
        const QTextDocument* doc = document();
        const int top = cursorForPosition(QPoint(0, 0)).position();
        const int bottom = cursorForPosition(QPoint(viewport()->width(), viewport()->height())).position();
        const QTextBlock last = doc->findBlock(bottom);
        const qint64 from = doc->findBlock(top).position() + base_;
        const qint64 to = (last.isValid() ? last.position() + last.length() : doc->characterCount()) + base_;
        auto it = std::upper_bound(runs_.begin(), runs_.end(), from,
                                   [](qint64 p, const Run& r) { return p < r.end; });
        for (; it != runs_.end() && it->start < to; ++it) {
            const Colour now = styles_.entry(it->entry).colour;
            if (now == it->colour) continue;
            QTextEdit::ExtraSelection sel;
            sel.cursor = QTextCursor(document());
            sel.cursor.setPosition(static_cast<int>(std::max(it->start, from) - base_));
            sel.cursor.setPosition(static_cast<int>(std::min(it->end, to) - base_), QTextCursor::KeepAnchor);
            sel.format.setForeground(toQColor(now));
            overrides.append(sel);
        }
    }
    setExtraSelections(overrides);
}

void ChatPane::resizeEvent(QResizeEvent* event) {
    keepPlace([&] { QTextBrowser::resizeEvent(event); });
    refreshOverrides();
}

void ChatPane::addLineToChat(const QString& line, Colour colour) {
    const int firstLink = parser_.linkCounter() + 1;
    auto parsed = parser_.parse(line.toStdString());
    if (!parsed) return;

    showTextSize();
    if (shownTableScale_ != tableScale_ || shownPictureScale_ != pictureScale_) showTableScale();

    // The line sets its entry's colour and makes it bold. Bold, italic and
    // underline are the same for every line, so earlier runs of the entry
    // (all added by lines) only ever differ from it in colour, which the
    // overrides take care of.
    const int entry = parsed->entry;
    styles_.setLineStyle(entry, colour);

    const QTextCharFormat lineFormat = formatFor(entry);
    const QTextCharFormat linkBase = formatFor(ChatLineParser::kLinkEntry);
    lineFirstLink_.push_back(firstLink);
    const int lineStart = end_.position();

    // Words of one entry go in as one string; only links and pictures
    // break the run.
    QString pending;
    qint64 pendingStart = 0;
    auto flush = [&] {
        if (pending.isEmpty()) return;
        end_.insertText(pending, lineFormat);
        addRun(entry, colour, pendingStart, end_.position() + base_);
        pending.clear();
    };
    for (const ChatItem& item : parsed->items) {
        if (item.newParagraph) {
            flush();
            if (!empty_) end_.insertBlock(QTextBlockFormat(), lineFormat);
            empty_ = false;
        }
        switch (item.kind) {
        case ChatItem::Kind::Text:
            if (pending.isEmpty()) pendingStart = end_.position() + base_;
            pending += displayText(item.text);
            break;
        case ChatItem::Kind::Link: {
            flush();
            QTextCharFormat f = linkBase;
            f.setAnchor(true);
            f.setAnchorHref(kLinkScheme + QLatin1Char(':') + QString::number(item.link));
            end_.insertText(displayText(item.text), f);
            break;
        }
        case ChatItem::Kind::Picture: {
            flush();
            const qint64 at = end_.position() + base_;
            QTextImageFormat img;
            img.merge(lineFormat);
            img.setName(smileyName(item.picture));
            img.setWidth(SmileyImages::kWidth * tableScale_);
            img.setHeight(SmileyImages::kHeight * tableScale_);
            end_.insertImage(img);
            // The picture belongs to the line's run so it does not split it.
            addRun(entry, colour, at, at + 1);
            break;
        }
        }
    }
    flush();
    announce(lineStart, end_.position());

    trimIfNeeded();
    if (!scrollChatOff()) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    refreshOverrides();
}

void ChatPane::announce(int from, int to) {
    // A screen reader is told each new line, as the player reads it; no
    // work at all while none listens.
    if (!QAccessible::isActive()) return;
    QTextCursor c(document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    QString text = c.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    text.replace(QChar::ObjectReplacementCharacter, QLatin1Char(' '));
    text = text.simplified();
    if (text.isEmpty()) return;
    QAccessibleTextInsertEvent event(this, from, text);
    QAccessible::updateAccessibility(&event);
}

void ChatPane::setLineLimit(int maxLines, int trimLines) {
    maxLines_ = std::max(1, maxLines);
    trimLines_ = std::clamp(trimLines, 1, maxLines_);
}

void ChatPane::trimIfNeeded() {
    if (static_cast<int>(lineFirstLink_.size()) <= maxLines_) return;
    QTextCursor c(document());
    c.movePosition(QTextCursor::Start);
    c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, trimLines_);
    const qint64 removed = c.selectionEnd() - c.selectionStart();
    const QString removedText = QAccessible::isActive() ? c.selectedText() : QString();
    c.removeSelectedText();
    if (QAccessible::isActive()) {
        QAccessibleTextRemoveEvent gone(this, 0, removedText);
        QAccessible::updateAccessibility(&gone);
    }
    base_ += removed;
    while (!runs_.empty() && runs_.front().end <= base_) runs_.pop_front();
    if (!runs_.empty() && runs_.front().start < base_) runs_.front().start = base_;
    parser_.forgetLinksBefore(lineFirstLink_[static_cast<std::size_t>(trimLines_)]);
    lineFirstLink_.erase(lineFirstLink_.begin(), lineFirstLink_.begin() + trimLines_);
}

void ChatPane::clearChat() {
    resetDocument();
    parser_.clearLinks();
    emit focusInputRequested();
}

void ChatPane::selectAllChat() {
    if (document()->isEmpty()) return;
    selectAll();
    viewport()->update();
}

void ChatPane::copySelection() {
    if (!textCursor().hasSelection()) return;
    QMimeData* data = createMimeDataFromSelection();
    QApplication::clipboard()->setText(data->text());
    delete data;
}

QMimeData* ChatPane::createMimeDataFromSelection() const {
    QString text = textCursor().selection().toPlainText();
    text.remove(QChar(QChar::ObjectReplacementCharacter));
    auto* data = new QMimeData;
    data->setText(text);
    return data;
}

QVariant ChatPane::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::ImageResource && name.scheme() == kSmileyScheme)
        return SmileyImages::image(name.path().section(QLatin1Char('@'), 0, 0).toInt(),
                                   name.path().contains(QLatin1Char('@'))
                                       ? name.path().section(QLatin1Char('@'), 1).toDouble()
                                       : 1.0);
    return QTextBrowser::loadResource(type, name);
}

void ChatPane::contextMenuEvent(QContextMenuEvent* event) {
    menu_->exec(event->globalPos());
}

void ChatPane::onAnchorClicked(const QUrl& url) {
    if (url.scheme() != kLinkScheme) return;
    bool ok = false;
    const int k = url.path().toInt(&ok);
    if (ok) mainchatJump(k);
}

void ChatPane::mainchatJump(int k) {
    const auto address = parser_.linkurls(k);
    const auto web = address ? webAddressForLink(*address) : std::nullopt;
    if (web) {
        const QUrl url(QString::fromStdString(*web), QUrl::TolerantMode);
        if (url.isValid() && (url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0 ||
                              url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0) &&
            !url.host().isEmpty()) {
            if (opener_->openUrl(url)) return;
        }
    }
    opener_->showFailure(this, tr("Cannot open Webpage"));
}

} // namespace tc::chat
