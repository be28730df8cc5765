#pragma once
// Options > Language: the desktop's language or one chosen, kept in the
// settings file under a key of its own, written alone when it changes. The
// program takes the language at its start (i18n/Translations.h), so a
// choice is told to the player as taking effect at the next start.
#include <functional>
#include <string>

#include <QObject>
#include <QString>

class QActionGroup;

namespace tc::store {
class SettingsFile;
}

namespace tc::client {

class MainMenus;

class LanguageMenu final : public QObject {
    Q_OBJECT
public:
    // The key: "" (or none) for the desktop's language, else "en", "de", "fr".
    static constexpr const char* kKey = "Language";

    // The choice kept in `file`.
    static QString chosen(const store::SettingsFile& file);

    // Adds the sub-menu to the Options of `menus`; `tell` shows a line to
    // the player.
    LanguageMenu(MainMenus& menus, store::SettingsFile& file, std::function<void(const QString&)> tell);

private:
    void choose(const QString& code);

    store::SettingsFile& file_;
    std::function<void(const QString&)> tell_;
    QActionGroup* group_ = nullptr;
};

} // namespace tc::client
