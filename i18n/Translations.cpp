#include "Translations.h"

#include <memory>
#include <utility>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "net/DesktopLanguage.h"
#include "net/Text.h"

namespace tc::i18n {

namespace {

std::unique_ptr<QTranslator> ours;
std::unique_ptr<QTranslator> qts;
// Before the application exists (the command line): no translator can be
// installed yet, so the hooks ask this one.
std::unique_ptr<QTranslator> early;
QString inForce = QStringLiteral("en");

std::string translateHook(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

std::string earlyHook(const char* context, const char* source) {
    const QString text = early ? early->translate(context, source) : QString();
    return text.isEmpty() ? std::string(source) : text.toStdString();
}

std::string upperHook(const std::string& text) {
    return QString::fromStdString(text).toUpper().toStdString();
}

// "de-CH" -> "de"; "C" and "POSIX" speak English.
QString languageOf(const QString& tag) {
    QString code = tag.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
    if (code == QLatin1String("c") || code == QLatin1String("posix")) code = QStringLiteral("en");
    return code;
}

void remove(std::unique_ptr<QTranslator>& translator) {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

} // namespace

QStringList languages() { return {QStringLiteral("de"), QStringLiteral("fr")}; }

QString nativeName(const QString& code) {
    if (code == QLatin1String("de")) return QStringLiteral("Deutsch");
    if (code == QLatin1String("fr")) return QStringLiteral("Fran\u00e7ais");
    return QStringLiteral("English");
}

QString resolve(const QString& choice) {
    const QString chosen = languageOf(choice);
    if (chosen == QLatin1String("en") || languages().contains(chosen)) return chosen;
    // The same reading as the tools without Qt. (Qt's own list names a
    // language it does not know as "C", which would end the search in
    // English before a language we speak further down LANGUAGE.)
    std::vector<std::string> spoken;
    for (const QString& code : languages()) spoken.push_back(code.toStdString());
    return QString::fromStdString(net::pickLanguage(net::desktopLanguages(), spoken));
}

QString install(const QString& choice) {
    remove(ours);
    remove(qts);
    inForce = resolve(choice);
    // Capitals in full for every language, English too (a name "Zoë").
    net::setTextHooks({&translateHook, &upperHook});
    if (inForce == QLatin1String("en")) return inForce;
    ours = std::make_unique<QTranslator>();
    if (ours->load(QStringLiteral(":/i18n/tilecrest_%1.qm").arg(inForce)))
        QCoreApplication::installTranslator(ours.get());
    qts = std::make_unique<QTranslator>();
    if (qts->load(QStringLiteral("qtbase_%1").arg(inForce), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qts.get());
    return inForce;
}

QString current() { return inForce; }

namespace {
void loadEarly() {
    static bool loaded = false;
    if (std::exchange(loaded, true)) return;
    const QString lang = resolve(QString());
    if (lang == QLatin1String("en")) return;
    early = std::make_unique<QTranslator>();
    if (!early->load(QStringLiteral(":/i18n/tilecrest_%1.qm").arg(lang))) early.reset();
}
} // namespace

void installEarly() {
    loadEarly();
    net::setTextHooks({&earlyHook, &upperHook});
}

QString translateEarly(const char* context, const char* source) {
    loadEarly();
    return QString::fromStdString(earlyHook(context, source));
}

} // namespace tc::i18n
