#include "Translations.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "net/Text.h"

namespace tc::i18n {

namespace {

std::unique_ptr<QTranslator> ours;
std::unique_ptr<QTranslator> qts;
QString inForce = QStringLiteral("en");

std::string translateHook(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
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
    for (const QString& tag : QLocale::system().uiLanguages()) {
        const QString code = languageOf(tag);
        if (code == QLatin1String("en") || languages().contains(code)) return code;
    }
    return QStringLiteral("en");
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

QString translateEarly(const char* context, const char* source) {
    const QString lang = resolve(QString());
    QTranslator translator;
    if (lang == QLatin1String("en") || !translator.load(QStringLiteral(":/i18n/tilecrest_%1.qm").arg(lang)))
        return QString::fromUtf8(source);
    const QString text = translator.translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

} // namespace tc::i18n
