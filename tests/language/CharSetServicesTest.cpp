#include "CharSetServices.h"
#include "StringTable.h"
#include "TempProfile.h"

#include <QLoggingCategory>
#include <functional>
#include <gtest/gtest.h>

namespace {

CharSetServices services(const QString& path, LANGID system = 0x0411) {
    return CharSetServices([path] { return path; }, Locale(system, system));
}

const QString kFull = QStringLiteral(TAVLO_FULL_LIBRARY);
const QString kPartial = QStringLiteral(TAVLO_PARTIAL_LIBRARY);
const QString kMissing = QStringLiteral("/nonexistent/tavlo-language.so");
const QString kNotALibrary = QStringLiteral(TAVLO_NOT_A_LIBRARY);

const QByteArray kShiftJis = "\x82\xa0\x82\xa2";

std::pair<bool, int> at(CharSetServices::ListIndex l) {
    return {l.found, l.index};
}

// Collects the lines of the "tavlo.language" category while it lives, with
// its debug output turned on or left as it is by default.
class DebugLines {
  public:
    explicit DebugLines(bool enable = true) {
        lines().clear();
        if (enable)
            QLoggingCategory::setFilterRules("tavlo.language.debug=true");
        previous_ = qInstallMessageHandler(&DebugLines::handle);
    }
    ~DebugLines() {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
    }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }

  private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (QByteArrayView(context.category) == "tavlo.language")
            lines().append(text);
    }
    QtMessageHandler previous_;
};

class BrokenLabels : public ResourceSource {
  public:
    std::optional<QString> loadString(uint32_t id) const override {
        if (id == 35090)
            return std::nullopt;
        if (id == 35091)
            return QStringLiteral("  ");
        return BuiltinStrings().loadString(id);
    }
};

} // namespace

// Readable failure output for the texts compared here.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s.toStdString();
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << l.join(QStringLiteral(" | ")).toStdString();
}
QT_END_NAMESPACE

TEST(CharSetServicesTest, ProgramsOwnServices) {
    const CharSetServices ja = services(QString());
    EXPECT_FALSE(ja.Detect(kShiftJis).called);
    EXPECT_EQ(ja.Detect(kShiftJis).code, -1);
    EXPECT_EQ(ja.DetectForLoading(kShiftJis), 8);
    EXPECT_EQ(services(QString(), 0x0409).DetectForLoading(kShiftJis), 1);
    EXPECT_EQ(ja.CodeFromName(u"シフトJIS"_qs), 8);
    EXPECT_EQ(ja.CodeFromName("ANSI"), 1);
    EXPECT_EQ(ja.CodeFromName("(Auto Detect)"), 0);
    EXPECT_EQ(ja.CodeSetList(true),
              u"(自動判定)|シフトJIS|UTF-8|UTF-8N|Unicode|Unicode(BigEndian)|EUC|JIS||"_qs);
    EXPECT_EQ(services(QString(), 0x0409).CodeSetList(true),
              u"(自動判定)|ANSI|UTF-8|UTF-8N|Unicode|Unicode(BigEndian)||"_qs);
    const QString saveList = ja.CodeSetList(false);
    std::vector<int> codes; // 7 is the empty last item
    for (int index : {0, 6, 7, 8, -1})
        codes.push_back(ja.CodeFromListIndex(saveList, index));
    EXPECT_EQ(codes, (std::vector<int>{8, 7, -1, -1, -1}));
    // Blanks around the path are trimmed: still the program's own services.
    EXPECT_EQ(services("  ").CodeSetList(false), saveList);

    EXPECT_EQ(at(ja.ListIndexOf(0, 4, saveList)), std::pair(true, 1));
    // ANSI in a list with シフトJIS but without the ANSI label.
    EXPECT_EQ(ja.ListIndexOf(0, 1, saveList).index, 0);
    EXPECT_EQ(ja.ListIndexOf(0, 8, saveList).index, 0);
    EXPECT_EQ(builtinListIndexOf(1, "UTF-8|ANSI||").index, 1);
    EXPECT_EQ(builtinListIndexOf(0, "x|(Auto Detect)||").index, 1);
    EXPECT_EQ(at(builtinListIndexOf(6, "ANSI|UTF-8||")), std::pair(false, -1));
    EXPECT_FALSE(builtinListIndexOf(9, "ANSI||").found);
    EXPECT_FALSE(builtinListIndexOf(-1, "ANSI||").found);
}

TEST(CharSetServicesTest, DebugLinesOfTheIndexLookup) {
    {
        DebugLines capture;
        auto linesOf = [](const std::function<void()>& call) {
            DebugLines::lines().clear();
            call();
            return DebugLines::lines();
        };
        const QString calling = "\nIn GetCharCodeListIndexEx: Calling GetCharCodeListIndexEx";
        EXPECT_EQ(linesOf([] {
                      EXPECT_EQ(
                          services(QString()).ListIndexOf(0, 1, u"UTF-8|シフトJIS||"_qs).index, 1);
                  }),
                  (QStringList{calling,
                               u"\nIn GetCharCodeListIndexEx: Calling "
                               u"GetCharCodeListIndexExDefault その１"_qs,
                               "\nIn GetCharCodeListIndexExDefault: ANSI not Found!"}));
        EXPECT_EQ(linesOf([] { builtinListIndexOf(12, "ANSI||"); }),
                  QStringList{u"\nIn GetCharCodeListIndexExDefault: Err その１"_qs});
        EXPECT_EQ(linesOf([] { services(kPartial).ListIndexOf(0, 4, "ANSI|UTF-8||"); }),
                  (QStringList{calling, u"\nIn GetCharCodeListIndexEx: Calling "
                                        u"GetCharCodeListIndexExDefault その２"_qs}));
        EXPECT_EQ(linesOf([] { services(kFull).ListIndexOf(0, 6, "Ascii|Eucy||"); }),
                  (QStringList{calling, "\nIn GetCharCodeListIndexEx: Calling pfGetListIndexEx"}));
    }
    DebugLines byDefault(false);
    builtinListIndexOf(12, "ANSI||");
    EXPECT_TRUE(DebugLines::lines().isEmpty()) << "off unless enabled";
}

TEST(CharSetServicesTest, UnloadableOrEmptyLabelsInTheResources) {
    res::setResourceSource(std::make_shared<BrokenLabels>());
    DebugLines capture;
    EXPECT_FALSE(builtinListIndexOf(1, "ANSI||").found);
    EXPECT_FALSE(builtinListIndexOf(2, "Unicode||").found);
    res::setResourceSource(nullptr);
    EXPECT_EQ(DebugLines::lines(),
              (QStringList{u"\nIn GetCharCodeListIndexExDefault: Err その２"_qs,
                           u"\nIn GetCharCodeListIndexExDefault: Err その３"_qs}));
}

TEST(CharSetServicesTest, LibraryWithAllExports) {
    const CharSetServices lib = services(kFull);
    const CharSetServices::Detection d = lib.Detect("EUC text");
    EXPECT_TRUE(d.called);
    EXPECT_EQ(d.code, 6);
    EXPECT_EQ(lib.Detect("NONE").code, -1);
    EXPECT_TRUE(lib.Detect(QByteArray()).called);
    EXPECT_EQ(lib.DetectForLoading("EUC"), 6);
    EXPECT_EQ(lib.DetectForLoading("AUTO"), 1); // 0 and -1 become ANSI
    EXPECT_EQ(lib.DetectForLoading("NONE"), 1);
    EXPECT_EQ(lib.DetectForLoading("\x82\xa0"), 5);

    EXPECT_EQ(lib.CodeFromName("Eucy"), 6);
    // The library answers first; its -1 still lets the two fixed names through.
    EXPECT_EQ(lib.CodeFromName("ANSI"), 1);
    EXPECT_EQ(lib.CodeFromName("(Auto Detect)"), 0);
    EXPECT_EQ(lib.CodeFromName("UTF-8"), -1);

    const QString list = lib.CodeSetList(true);
    EXPECT_EQ(list, "Auto|Ascii|Eucy|" + QString(600, u'x') + "||");
    EXPECT_EQ(lib.CodeFromListIndex(list, 2), 6);
    EXPECT_EQ(at(lib.ListIndexOf(0, 6, "Ascii|Eucy||")), std::pair(true, 1));
    EXPECT_FALSE(lib.ListIndexOf(0, 1, "Ascii|Eucy||").found);
    EXPECT_FALSE(lib.ListIndexOf(3, 6, "Ascii|Eucy||").found);
}

TEST(CharSetServicesTest, LibraryMissingExportsUsesTheBuiltins) {
    const CharSetServices lib = services(kPartial);
    EXPECT_FALSE(lib.Detect(kShiftJis).called);
    // The generic detector, not the Japanese one, when a library is set.
    EXPECT_EQ(lib.DetectForLoading(kShiftJis), 1);
    EXPECT_EQ(lib.DetectForLoading("\xe3\x81\x82\xe3\x81\x84"), 5);
    EXPECT_EQ(lib.CodeFromName("Eucy"), 6);
    EXPECT_EQ(lib.CodeFromName("ANSI"), 1);
    EXPECT_EQ(lib.CodeSetList(false), "ANSI|UTF-8|UTF-8N|Unicode|Unicode(BigEndian)||");
    EXPECT_EQ(at(lib.ListIndexOf(0, 5, lib.CodeSetList(false))), std::pair(true, 2));
}

TEST(CharSetServicesTest, UnloadableLibraryFallsBackSilently) {
    for (const QString& path : {kMissing, kNotALibrary}) {
        const CharSetServices lib = services(path);
        EXPECT_FALSE(lib.Detect(kShiftJis).called) << path.toStdString();
        EXPECT_EQ(lib.DetectForLoading(kShiftJis), 1);
        EXPECT_EQ(lib.CodeFromName("ANSI"), -1);
        EXPECT_EQ(lib.CodeFromName("(Auto Detect)"), -1);
        EXPECT_EQ(lib.CodeSetList(true), QString());
        EXPECT_FALSE(lib.ListIndexOf(0, 1, "ANSI||").found);
        EXPECT_EQ(lib.CodeFromListIndex("ANSI||", 0), -1);
    }
    EXPECT_EQ(CharSetServices::fallbackOpenList(),
              "(Auto Detect)|ANSI|Unicode|Unicode(BigEndian)|UTF-8|UTF-8N||");
    EXPECT_EQ(CharSetServices::fallbackSaveList(),
              "ANSI|Unicode|Unicode(BigEndian)|UTF-8|UTF-8N||");
}

TEST(CharSetServicesTest, ReadsTheLibraryPathFromTheSettingsAtEachCall) {
    TempProfile profile;
    Settings& settings = profile.settings();
    const CharSetServices lib(settings);
    EXPECT_EQ(lib.CodeFromName("Eucy"), -1);
    ASSERT_TRUE(settings.writeString("UI_LANGUAGE_DLL_PATH", " " + kFull + " "));
    EXPECT_EQ(lib.CodeFromName("Eucy"), 6);
    ASSERT_TRUE(settings.writeString("UI_LANGUAGE_DLL_PATH", QString()));
    EXPECT_EQ(lib.CodeFromName("Eucy"), -1);
}
