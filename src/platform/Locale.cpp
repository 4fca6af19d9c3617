#include "Locale.h"

#include <QByteArray>

namespace {

struct LangRow {
    const char* language;
    const char* country; // nullptr: the language's default
    LANGID id;
};

// Language and country to the device's language identifiers. For each
// language the row without a country comes last and gives its default.
const LangRow kRows[] = {
    {"ja", nullptr, 0x0411}, {"en", "US", 0x0409},    {"en", "GB", 0x0809},
    {"en", "AU", 0x0C09},    {"en", "CA", 0x1009},    {"en", "NZ", 0x1409},
    {"en", "IE", 0x1809},    {"en", "ZA", 0x1C09},    {"en", "IN", 0x4009},
    {"en", nullptr, 0x0409}, {"zh", "CN", 0x0804},    {"zh", "TW", 0x0404},
    {"zh", "HK", 0x0C04},    {"zh", "SG", 0x1004},    {"zh", "MO", 0x1404},
    {"zh", nullptr, 0x0804}, {"ko", nullptr, 0x0412}, {"de", "DE", 0x0407},
    {"de", "CH", 0x0807},    {"de", "AT", 0x0C07},    {"de", "LU", 0x1007},
    {"de", "LI", 0x1407},    {"de", nullptr, 0x0407}, {"fr", "FR", 0x040C},
    {"fr", "BE", 0x080C},    {"fr", "CA", 0x0C0C},    {"fr", "CH", 0x100C},
    {"fr", "LU", 0x140C},    {"fr", nullptr, 0x040C}, {"es", "ES", 0x0C0A},
    {"es", "MX", 0x080A},    {"es", nullptr, 0x0C0A}, {"it", "CH", 0x0810},
    {"it", nullptr, 0x0410}, {"nl", "BE", 0x0813},    {"nl", nullptr, 0x0413},
    {"pt", "PT", 0x0816},    {"pt", nullptr, 0x0416}, {"sv", "FI", 0x081D},
    {"sv", nullptr, 0x041D}, {"ar", nullptr, 0x0401}, {"bg", nullptr, 0x0402},
    {"ca", nullptr, 0x0403}, {"cs", nullptr, 0x0405}, {"da", nullptr, 0x0406},
    {"el", nullptr, 0x0408}, {"fi", nullptr, 0x040B}, {"he", nullptr, 0x040D},
    {"hu", nullptr, 0x040E}, {"is", nullptr, 0x040F}, {"nb", nullptr, 0x0414},
    {"no", nullptr, 0x0414}, {"nn", nullptr, 0x0814}, {"pl", nullptr, 0x0415},
    {"ro", nullptr, 0x0418}, {"ru", nullptr, 0x0419}, {"hr", nullptr, 0x041A},
    {"sk", nullptr, 0x041B}, {"sq", nullptr, 0x041C}, {"th", nullptr, 0x041E},
    {"tr", nullptr, 0x041F}, {"id", nullptr, 0x0421}, {"uk", nullptr, 0x0422},
    {"be", nullptr, 0x0423}, {"sl", nullptr, 0x0424}, {"et", nullptr, 0x0425},
    {"lv", nullptr, 0x0426}, {"lt", nullptr, 0x0427}, {"fa", nullptr, 0x0429},
    {"vi", nullptr, 0x042A}, {"hi", nullptr, 0x0439}, {"ms", nullptr, 0x043E},
};

constexpr LANGID kEnglishUS = 0x0409;

} // namespace

LANGID Locale::langIdFromLocaleName(const QString& name) {
    // language[_COUNTRY][.codeset][@modifier]
    QString rest = name.trimmed();
    for (QChar stop : {QLatin1Char('@'), QLatin1Char('.')}) {
        const qsizetype at = rest.indexOf(stop);
        if (at >= 0)
            rest.truncate(at);
    }
    if (rest.isEmpty() || rest == QLatin1String("C") || rest == QLatin1String("POSIX"))
        return kEnglishUS;
    qsizetype sep = rest.indexOf(QLatin1Char('_'));
    if (sep < 0)
        sep = rest.indexOf(QLatin1Char('-'));
    const QByteArray language = (sep < 0 ? rest : rest.left(sep)).toLower().toLatin1();
    const QByteArray country = sep < 0 ? QByteArray() : rest.mid(sep + 1).toUpper().toLatin1();
    for (const LangRow& row : kRows) {
        if (language != row.language)
            continue;
        if (!row.country || country == row.country)
            return row.id;
    }
    return kEnglishUS;
}

Locale Locale::fromEnvironment() {
    // The first of these that is set decides, as for the C library's messages.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) {
            const LANGID id = langIdFromLocaleName(value);
            return Locale(id, id);
        }
    }
    return Locale(kEnglishUS, kEnglishUS);
}
