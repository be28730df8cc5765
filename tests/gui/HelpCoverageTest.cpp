// The help pages against the program itself, in every language: every item
// of every menu of the real main window, every key its actions answer, and
// every option in the usage text of tilecrest and tilecrest-server must be
// described, and every menu path the help names must exist, each in the
// window's own words in that language. Nothing here is listed by hand, so an
// item, key or option added later without a word in the help, or an item
// renamed under it, makes this fail. Every language the program speaks has
// all its pages: the window would quietly show a missing one in English.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "GameCopy.h"
#include "Translations.h"
#include "store/SettingsFile.h"
#include "store/StoreLocation.h"
#include "windows/HelpWindow.h"
#include "windows/SpyListWindow.h"

using tc::guitest::GameCopy;
using tc::guitest::waitUntil;

namespace {

// What the help says: its plain text, and each run of bold text (menu items
// are written in bold where they are described).
struct HelpText {
    QString plain;
    QStringList bold;
};

QString normalized(QString text) {
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));  // a mnemonic's marker
    text = text.simplified();
    if (text.endsWith(QChar(0x2026))) text.chop(1);
    if (text.endsWith(QStringLiteral("..."))) text.chop(3);
    return text.trimmed();
}

HelpText helpText() {
    tc::windows::HelpWindow help;
    HelpText out;
    for (QTextBrowser* page : help.findChildren<QTextBrowser*>()) {
        out.plain += page->toPlainText() + QLatin1Char('\n');
        for (QTextBlock block = page->document()->begin(); block.isValid(); block = block.next()) {
            QString run;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                if (f.charFormat().fontWeight() >= QFont::Bold) {
                    run += f.text();
                } else if (!run.isEmpty()) {
                    out.bold << normalized(run);
                    run.clear();
                }
            }
            if (!run.isEmpty()) out.bold << normalized(run);
        }
    }
    return out;
}

// Every menu of the window: the menu bar's, walked down through sub-menus,
// then the context menus it holds (seat, chat, typing line, sounds,
// smileys) and the spy list's.
QList<QMenu*> menusOf(QMainWindow& w, QWidget& spyList) {
    QList<QMenu*> menus;
    std::function<void(QMenu*)> walk = [&](QMenu* m) {
        if (!m || menus.contains(m)) return;
        menus << m;
        for (QAction* a : m->actions()) walk(a->menu());
    };
    for (QAction* a : w.menuBar()->actions()) walk(a->menu());
    for (QMenu* m : w.findChildren<QMenu*>()) walk(m);
    for (QMenu* m : spyList.findChildren<QMenu*>()) walk(m);
    return menus;
}

// The items of `menus` (and the bar's own items) that no bold run of the
// help names, as "menu > item".
QString unmarked(QString caption) { return caption.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

QStringList undescribedItems(QMainWindow& w, const QList<QMenu*>& menus, const HelpText& help) {
    auto described = [&](const QString& text) {
        const QString t = normalized(text);
        for (const QString& b : help.bold)
            if (b.contains(t)) return true;
        return false;
    };
    QStringList missing;
    for (QAction* a : w.menuBar()->actions())
        if (!a->isSeparator() && !a->text().isEmpty() && !described(a->text())) missing << "menu bar > " + unmarked(a->text());
    for (QMenu* m : menus) {
        const QString where = m->title().isEmpty() ? m->objectName() : unmarked(m->title());
        for (QAction* a : m->actions()) {
            if (a->isSeparator() || a->text().isEmpty()) continue;
            if (!described(a->text())) missing << where + " > " + unmarked(a->text());
        }
    }
    return missing;
}

// Keys are named as the window names them in its menus, in its language
// ("Ctrl+S", German "Strg+S", "F11"; Escape as "Esc").
QStringList unnamedKeys(QMainWindow& w, const HelpText& help) {
    QStringList missing;
    for (QAction* a : w.findChildren<QAction*>())
        for (const QKeySequence& key : a->shortcuts()) {
            const QString name = key.toString(QKeySequence::NativeText);
            const QRegularExpression word(QStringLiteral("(?<![\\w+])") + QRegularExpression::escape(name) +
                                          QStringLiteral("(?![\\w])"));
            if (!help.plain.contains(word) && !(name == "Esc" && help.plain.contains("Escape")))
                missing << unmarked(a->text()) + " " + name;
        }
    return missing;
}

// Bold runs of the form "Menu, Item" whose menu is on the bar but has no
// such item: help that sends the player to an item that is gone or renamed.
QStringList staleMenuPaths(QMainWindow& w, const HelpText& help, int* paths = nullptr) {
    QStringList stale;
    const QRegularExpression path(QStringLiteral("^(\\w+), (.+)$"), QRegularExpression::UseUnicodePropertiesOption);
    for (const QString& b : help.bold) {
        const QRegularExpressionMatch m = path.match(b);
        if (!m.hasMatch()) continue;
        QMenu* menu = nullptr;
        for (QAction* a : w.menuBar()->actions())
            if (a->menu() && normalized(a->menu()->title()) == m.captured(1)) menu = a->menu();
        if (!menu) continue;
        if (paths) ++*paths;
        bool found = false;
        for (QAction* a : menu->actions()) found = found || normalized(a->text()) == m.captured(2);
        if (!found) stale << b;
    }
    return stale;
}

// The usage text as a desktop in `lang` shows it ("en": the C locale).
QString usageOf(const QString& program, const QString& lang = QStringLiteral("en")) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang == "en" ? QStringLiteral("C") : lang + "_" + lang.toUpper() + ".UTF-8");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TILECREST_BIN_DIR "/") + program, {QStringLiteral("--help")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QStringList optionsIn(const QString& usage) {
    QStringList options;
    const QRegularExpression option(QStringLiteral("(?<![\\w-])--(?:[a-z][a-z0-9-]*)?(?![\\w-])"));
    for (auto it = option.globalMatch(usage); it.hasNext();) {
        const QString o = it.next().captured(0);
        if (!options.contains(o)) options << o;
    }
    return options;
}

QStringList unexplainedOptions(const QStringList& options, const HelpText& help) {
    QStringList missing;
    for (const QString& o : options) {
        const QRegularExpression word(QStringLiteral("(?<![\\w-])") + QRegularExpression::escape(o) +
                                      QStringLiteral("(?![\\w-])"));
        if (!help.plain.contains(word)) missing << o;
    }
    return missing;
}

QString settingsPath() {
    return tc::store::storeFilePath(QStringLiteral("velmoralobby.ini"), QStandardPaths::AppConfigLocation);
}

// The English pages, and those a language has: the files under :/help and
// :/help/LANG (the licence is English in every language).
QStringList pagesOf(const QString& lang) {
    QStringList pages = QDir(lang == "en" ? QStringLiteral(":/help") : ":/help/" + lang).entryList(QDir::Files, QDir::Name);
    pages.removeAll(QStringLiteral("LICENSE"));
    return pages;
}

QString pageSource(const QString& lang, const QString& page) {
    QFile f(lang == "en" ? ":/help/" + page : ":/help/" + lang + "/" + page);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A page's links ("page -> href") and anchors ("page #name"), in order; and
// the skeleton a translation keeps (headings, lists, tables), tag by tag.
QStringList linksAndAnchors(const QString& page, const QString& html) {
    QStringList out;
    // Every such attribute, several in one tag too (<a name="x" href="y">).
    const QRegularExpression attr(QStringLiteral("\\s(href|name|id)\\s*=\\s*\"([^\"]*)\""),
                                  QRegularExpression::CaseInsensitiveOption);
    for (auto it = attr.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out << page + (m.captured(1).toLower() == "href" ? " -> " : " #") + m.captured(2);
    }
    return out;
}

QStringList skeleton(const QString& html) {
    QStringList tags;
    const QRegularExpression tag(QStringLiteral("<(/?(?:h[1-6]|ul|ol|li|table|tr|td|th))\\b"),
                                 QRegularExpression::CaseInsensitiveOption);
    for (auto it = tag.globalMatch(html); it.hasNext();) tags << it.next().captured(1).toLower();
    return tags;
}

// Links of a language's pages that lead nowhere: to a page that is not a
// help page, or to an anchor its target page (in the same language) lacks.
QStringList brokenLinks(const QMap<QString, QString>& pages) {
    QStringList broken;
    for (auto p = pages.begin(); p != pages.end(); ++p)
        for (const QString& link : linksAndAnchors(p.key(), p.value())) {
            if (!link.contains(" -> ")) continue;
            const QString href = link.section(" -> ", 1);
            // The window hands a web address to the desktop's browser.
            if (href.startsWith("https://") || href.startsWith("http://")) continue;
            const QString target = href.section('#', 0, 0).isEmpty() ? p.key() : href.section('#', 0, 0);
            const QString anchor = href.section('#', 1);
            if (!pages.contains(target) ||
                (!anchor.isEmpty() && !linksAndAnchors(target, pages.value(target)).contains(target + " #" + anchor)))
                broken << link;
        }
    return broken;
}

QMap<QString, QString> sourcesOf(const QString& lang) {
    QMap<QString, QString> pages;
    for (const QString& page : pagesOf(lang)) pages.insert(page, pageSource(lang, page));
    return pages;
}

// English and every language the program speaks (i18n::languages(), which
// the English run compares with this list).
constexpr const char* kLanguages[] = {"en", "de", "fr"};

// Each run is the program in one language, chosen as a player chooses it
// (Options > Language, kept in the settings file).
class HelpCoverage : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        lang_ = QString::fromLatin1(GetParam());
        QFile::remove(settingsPath());
        tc::store::SettingsFile(settingsPath().toLocal8Bit().toStdString()).write({{"Language", GetParam()}});
    }
    void TearDown() override {
        QFile::remove(settingsPath());
        tc::i18n::install(QStringLiteral("en"));
    }
    QString lang_;
};

} // namespace

TEST_P(HelpCoverage, EveryMenuItemAndKeyOfTheWindowIsDescribed) {
    GameCopy solo({"--port", "0"});
    ASSERT_EQ(tc::i18n::current(), lang_);
    auto& w = solo.window();
    ASSERT_TRUE(waitUntil([&] { return solo.session().loggedin(); }));
    const HelpText help = helpText();
    const QList<QMenu*> menus = menusOf(w, solo.game.spyList());

    // The walk reaches the menus a player meets, not just the bar's.
    QStringList names;
    for (QMenu* m : menus) names << m->objectName();
    for (const char* name : {"File1", "Options1", "TextSize1", "View1", "Help1", "popup_kick", "popup_sounds",
                             "popup_smilies"})
        EXPECT_TRUE(names.contains(name)) << name;
    int items = 0;
    for (QMenu* m : menus) items += int(m->actions().size());
    EXPECT_GE(items, 70);

    EXPECT_EQ(undescribedItems(w, menus, help), QStringList{});
    EXPECT_EQ(unnamedKeys(w, help), QStringList{});
    // The menus' own names too.
    for (QAction* a : w.menuBar()->actions())
        if (a->menu()) {
            EXPECT_TRUE(help.bold.join('\n').contains(normalized(a->menu()->title()))) << a->menu()->title().toStdString();
        }

    // The other way round: a menu path the help names is an item of that menu.
    int paths = 0;
    EXPECT_EQ(staleMenuPaths(w, help, &paths), QStringList{});
    EXPECT_GE(paths, 8);
    if (lang_ != "en") return;  // the checks of the checks, once

    HelpText renamed;
    renamed.bold = QStringList{"Options, Show Worst Move", "File, Exit", "Overall, fine"};
    EXPECT_EQ(staleMenuPaths(w, renamed), QStringList{"Options, Show Worst Move"});

    // An item or key added without a word in the help is caught.
    QMenu* view = w.findChild<QMenu*>("View1");
    QAction* added = view->addAction(QStringLiteral("Tile Polisher\u2026"));
    added->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    EXPECT_EQ(undescribedItems(w, menusOf(w, solo.game.spyList()), help), QStringList{"View > Tile Polisher\u2026"});
    EXPECT_EQ(unnamedKeys(w, help), QStringList{"Tile Polisher\u2026 Ctrl+Shift+P"});
    view->removeAction(added);
    delete added;
}

TEST_P(HelpCoverage, EveryCommandLineOptionOfBothProgramsIsExplained) {
    tc::i18n::install(lang_);
    const HelpText help = helpText();
    for (const QString& program : {QStringLiteral("tilecrest"), QStringLiteral("tilecrest-server")}) {
        const QString usage = usageOf(program, lang_);
        ASSERT_TRUE(usage.section('\n', 0, 0).contains(program + " [")) << program.toStdString() << ": " << usage.toStdString();
        if (lang_ == "en") {
            EXPECT_TRUE(usage.startsWith("Usage: " + program + " ")) << usage.toStdString();
        } else {
            EXPECT_NE(usage, usageOf(program)) << program.toStdString() << " in " << GetParam();
        }
        const QStringList options = optionsIn(usage);
        EXPECT_TRUE(options.contains("--port") && options.contains("--help")) << options.join(' ').toStdString();
        EXPECT_EQ(unexplainedOptions(options, help), QStringList{}) << program.toStdString();
    }
    // The positional forms a lobby uses, in the usage's own words ("NAME
    // HOST" in English), and the end of the options.
    const QString usage = usageOf(QStringLiteral("tilecrest"), lang_);
    const QRegularExpressionMatch forms = QRegularExpression(QStringLiteral("\\[(\\S+ \\S+) true \\| \\1 x\\]")).match(usage);
    ASSERT_TRUE(forms.hasMatch()) << usage.toStdString();
    if (lang_ == "en") {
        EXPECT_EQ(forms.captured(1), "NAME HOST");
    }
    EXPECT_TRUE(help.plain.contains("tilecrest " + forms.captured(1) + " true")) << forms.captured(1).toStdString();
    EXPECT_TRUE(help.plain.contains("tilecrest " + forms.captured(1) + " x")) << forms.captured(1).toStdString();
    EXPECT_TRUE(optionsIn(usage).contains("--"));
    // The solo game's seat by the name the game gives it in this language,
    // between the language's own quotation marks.
    const QString solo = QCoreApplication::translate("Session", "You");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("[\"\u201e\u00ab]\\s?%1\\s?[\"\u201c\u00bb] ").arg(solo)).match(usage).hasMatch())
        << solo.toStdString() << " in " << usage.toStdString();
    // An option the help does not know is caught.
    EXPECT_EQ(unexplainedOptions(optionsIn("  --port N  a port\n  --frobnicate  new\n"), help),
              QStringList{"--frobnicate"});
}

// A page of the language in force is read from its own file, the English
// ones byte for byte as written; the licence, never translated, is read in
// English under a translated heading.
TEST_P(HelpCoverage, TheWindowReadsThePagesOfItsLanguage) {
    tc::i18n::install(lang_);
    ASSERT_EQ(tc::i18n::current(), lang_);
    EXPECT_EQ(tc::windows::HelpWindow::pageText(14), pageSource(lang_, "menus.html"));
    EXPECT_EQ(tc::windows::HelpWindow::pageText(13), pageSource(lang_, "keyboard.html"));
    EXPECT_FALSE(pageSource(lang_, "menus.html").isEmpty());
    if (lang_ != "en") {
        EXPECT_NE(pageSource(lang_, "menus.html"), pageSource("en", "menus.html"));
    }
    const QString licence = tc::windows::HelpWindow::pageText(6);
    EXPECT_TRUE(licence.contains("Permission is hereby granted")) << licence.left(200).toStdString();
    EXPECT_EQ(licence.startsWith("<h3>License</h3>"), lang_ == "en");
}

// A language with help pages has every page, and each keeps the English
// page's headings, lists, links and anchors; its links lead somewhere.
TEST_P(HelpCoverage, EveryPageIsThereWithItsLinksAndSections) {
    const QStringList english = pagesOf("en");
    EXPECT_EQ(english.size(), 8) << english.join(' ').toStdString();
    EXPECT_EQ(pagesOf(lang_), english);
    const QMap<QString, QString> pages = sourcesOf(lang_);
    EXPECT_EQ(brokenLinks(pages), QStringList{});
    for (const QString& page : english) {
        EXPECT_EQ(linksAndAnchors(page, pages.value(page)), linksAndAnchors(page, pageSource("en", page))) << page.toStdString();
        EXPECT_EQ(skeleton(pages.value(page)), skeleton(pageSource("en", page))) << page.toStdString();
    }
    if (lang_ != "en") return;
    QStringList spoken{"en"};
    spoken << tc::i18n::languages();
    EXPECT_EQ(spoken, QStringList(std::begin(kLanguages), std::end(kLanguages)));
    // A link to a missing page or anchor is caught; one to a page's anchor is not.
    QMap<QString, QString> linked{{"a.html", "<a href=\"#top\" name=\"top\"></a><a href=\"b.html#end\">b</a> <a href=\"#top\">up</a>"},
                                  {"b.html", "<a id=\"end\"></a><a href=\"c.html\">c</a> <a href=\"a.html#gone\">a</a>"
                                             "<a href=\"https://example.org/\">web</a> <a href=\"file:///x\">f</a>"}};
    EXPECT_EQ(brokenLinks(linked), (QStringList{"b.html -> c.html", "b.html -> a.html#gone", "b.html -> file:///x"}));
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpCoverage, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
