#include "client/LanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "Translations.h"
#include "client/MainMenus.h"
#include "client/MenuKeys.h"
#include "store/SettingsFile.h"

namespace tc::client {

QString LanguageMenu::chosen(const store::SettingsFile& file) {
    return QString::fromStdString(file.readString(kKey, ""));
}

LanguageMenu::LanguageMenu(MainMenus& menus, store::SettingsFile& file, std::function<void(const QString&)> tell)
    : QObject(menus.menu(MainMenus::Place::OptionsLanguage)), file_(file), tell_(std::move(tell)) {
    QMenu* menu = menus.addMenu(MainMenus::Place::OptionsLanguage, tr("Language"), "Language1");
    group_ = new QActionGroup(menu);
    const QString now = chosen(file_);
    auto add = [&](const QString& text, const QString& code) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QStringLiteral("Language_%1").arg(code.isEmpty() ? QStringLiteral("desktop") : code));
        a->setCheckable(true);
        a->setData(code);
        a->setChecked(code == now || (code.isEmpty() && i18n::resolve(now) != now));
        group_->addAction(a);
        connect(a, &QAction::triggered, this, [this, code] { choose(code); });
    };
    add(tr("Desktop Language"), QString());
    menu->addSeparator();
    // Each language by its own name, as every program writes it.
    add(QStringLiteral("English"), QStringLiteral("en"));
    add(i18n::nativeName(QStringLiteral("de")), QStringLiteral("de"));
    add(i18n::nativeName(QStringLiteral("fr")), QStringLiteral("fr"));
    // Letters of their own for the new items, none taken twice in a menu.
    MenuKeys::markMenu(menus.menu(MainMenus::Place::OptionsLanguage));
}

void LanguageMenu::choose(const QString& code) {
    if (code == chosen(file_)) return;
    file_.write({{kKey, code.toStdString()}});
    const QString next = i18n::resolve(code);
    if (next == i18n::current())
        tell_(tr("Language: %1, already in use.").arg(i18n::nativeName(next)));
    else
        tell_(tr("Language: %1, from the next start of Tilecrest.").arg(i18n::nativeName(next)));
}

} // namespace tc::client
