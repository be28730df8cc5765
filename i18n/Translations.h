#pragma once
// The language the program speaks. English is written in the sources; the
// other languages are Qt translation catalogues compiled in (:/i18n), and
// Qt's own texts (standard buttons, file dialogs) come from the system's Qt
// catalogues. The choice is made once, before the first window: a change
// in Options > Language takes effect at the next start.
#include <QString>
#include <QStringList>

namespace tc::i18n {

// The languages beside English, as codes ("de", "fr").
QStringList languages();

// A language's name in that language ("Deutsch"); "English" for "en".
QString nativeName(const QString& code);

// The language a choice comes to: "en", "de" or "fr". An empty choice (or
// one that names no language we speak) is the desktop's: the first of its
// languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as Qt reads them) that we
// speak, English where English comes first or none is spoken.
QString resolve(const QString& choice);

// Installs the translators of resolve(choice) in the application, and the
// hooks through which the Qt-free cores translate (net/Text.h); English
// installs none. Returns the language in force.
QString install(const QString& choice);

// The language install() put in force ("en" before any).
QString current();

// Puts the desktop's language in force before any application object
// exists, for the cores' texts too (net/Text.h): the command line's
// problems and the usage that --help prints. install() replaces it.
void installEarly();

// `source` in the desktop's language, before any application object exists;
// installs the early hooks when none are.
QString translateEarly(const char* context, const char* source);

} // namespace tc::i18n
