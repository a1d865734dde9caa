#include "core/base/LocaleLanguage.h"

#include <cstdlib>
#include <string_view>

namespace phonotab {

namespace {

// The language part of a locale name: "ru" of "ru_RU.UTF-8@euro".
std::string_view languagePart(std::string_view locale) {
    const std::size_t end = locale.find_first_of("_.@");
    return end == std::string_view::npos ? locale : locale.substr(0, end);
}

}  // namespace

LocaleLanguage languageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (!value || !*value) continue;
        const std::string_view language = languagePart(value);
        if (language == "ru" || language == "C" || language == "POSIX") return LocaleLanguage::Russian;
        return LocaleLanguage::English;
    }
    return LocaleLanguage::Russian;
}

LocaleLanguage languageOfEnvironment() {
    return languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string languageTableFile(LocaleLanguage language) {
    return language == LocaleLanguage::Russian ? "ru.txt" : "en.txt";
}

}  // namespace phonotab
