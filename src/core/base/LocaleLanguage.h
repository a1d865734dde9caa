// The interface language that the user's locale asks for, when the user named
// none: the batch tool's default language and the language the start-up
// dialog offers first.
#pragma once

#include <string>

namespace phonotab {

enum class LocaleLanguage { Russian, English };

// The locale is the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty (a null pointer is an unset variable). A Russian locale ("ru",
// "ru_RU.UTF-8", ...) asks for Russian; the "C" and "POSIX" locales (with
// any codeset, "C.UTF-8") and no locale at all leave the program's own
// language, Russian; any other locale asks for English.
LocaleLanguage languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
// The same for this process's environment.
LocaleLanguage languageOfEnvironment();

// The file name of the language table of the language ("ru.txt", "en.txt").
std::string languageTableFile(LocaleLanguage language);

}  // namespace phonotab
