#include "Registry.h"
#include "ScopedEnv.h"
#include "TempFiles.h"
#include "TestBytes.h"

#include <cerrno>
#include <sqlite3.h>

using namespace reg;

namespace {

class RegistryTest : public ::testing::Test {
  protected:
    QString dbPath() const { return dir.filePath(QStringLiteral("registry.sqlite")); }
    // Creates or opens the key; the test fails when that does not succeed.
    RegKey create(const RegKey& parent, const QString& path, uint32_t* disposition = nullptr) {
        RegKey key;
        EXPECT_EQ(registry.RegCreateKeyEx(parent, path, &key, disposition), ERROR_SUCCESS)
            << path.toStdString();
        return key;
    }

    QTemporaryDir dir;
    Registry registry{dbPath()};
};

} // namespace

TEST_F(RegistryTest, KeysIgnoreCaseKeepTheirSpellingAndRefuseInvalidPathsAndHandles) {
    ASSERT_TRUE(registry.isAvailable());
    uint32_t disposition = 0;
    create(HKEY_CURRENT_USER, u"Software\\Orvane\\Tavlo Text Editor"_qs, &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    create(HKEY_CURRENT_USER, u"software\\ORVANE"_qs, &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    RegKey opened;
    ASSERT_EQ(registry.RegOpenKeyEx(HKEY_CURRENT_USER, u"SOFTWARE\\orvane\\tavlo TEXT editor"_qs,
                                    &opened),
              ERROR_SUCCESS);
    EXPECT_EQ(opened.path(), u"Software\\Orvane\\Tavlo Text Editor"_qs);

    // The two roots are separate trees.
    EXPECT_EQ(registry.RegOpenKeyEx(HKEY_CLASSES_ROOT, u"Software"_qs, &opened),
              ERROR_FILE_NOT_FOUND);

    RegKey key;
    for (const QString& path : {u"\\Software"_qs, u"a\\\\b"_qs, u"a\\"_qs})
        EXPECT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, path, &key), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(registry.RegDeleteKey(HKEY_CURRENT_USER, QString()), ERROR_INVALID_PARAMETER);
    RegKey closed;
    EXPECT_EQ(registry.RegSetValueEx(closed, u"x"_qs, REG_DWORD, "1234", 4), ERROR_INVALID_HANDLE);
    key = create(HKEY_CURRENT_USER, u"a"_qs);
    EXPECT_EQ(registry.RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_FALSE(key.isValid());
    EXPECT_EQ(registry.setDword(key, u"x"_qs, 1), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, StringsAreStoredAsUtf16WithTheirNul) {
    const RegKey key = create(HKEY_CURRENT_USER, u"k"_qs);
    ASSERT_EQ(registry.setString(key, u"Face"_qs, u"ＭＳ Ｐゴシック"_qs), ERROR_SUCCESS);

    uint32_t type = 0, size = 0;
    ASSERT_EQ(registry.RegQueryValueEx(key, u"FACE"_qs, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    QByteArray data(int(size), '\x55');
    ASSERT_EQ(registry.RegQueryValueEx(key, u"face"_qs, nullptr, data.data(), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(data, testbytes::utf16z(u"ＭＳ Ｐゴシック"_qs));

    // One byte short of the value: fails and tells the size needed.
    uint32_t small = size - 1;
    QByteArray tooSmall(int(small), '\0');
    EXPECT_EQ(registry.RegQueryValueEx(key, u"Face"_qs, nullptr, tooSmall.data(), &small),
              ERROR_MORE_DATA);
    EXPECT_EQ(small, size);

    EXPECT_EQ(registry.queryString(key, u"Face"_qs), u"ＭＳ Ｐゴシック"_qs);
    EXPECT_EQ(registry.queryString(key, u"Face"_qs, 15), std::nullopt);
    EXPECT_EQ(registry.queryString(key, u"missing"_qs), std::nullopt);
    // An odd last byte is dropped. (A string that ends at its first NUL, and
    // the empty one: ProfileStoreTest.)
    EXPECT_EQ(Registry::decodeString(QByteArray("A\0B", 3)), u"A"_qs);
}

// A number's bytes and type: ProfileStoreTest.
TEST_F(RegistryTest, NumbersBinaryAndTheDefaultValue) {
    const RegKey key = create(HKEY_CLASSES_ROOT, u".txt"_qs);
    ASSERT_EQ(registry.setDword(key, u"N"_qs, 0x01A00A30u), ERROR_SUCCESS);
    EXPECT_EQ(registry.queryDword(key, u"n"_qs), 0x01A00A30u);

    const char blob[] = {1, 0, 2, 0, 3};
    ASSERT_EQ(registry.RegSetValueEx(key, u"B"_qs, REG_BINARY, blob, 5), ERROR_SUCCESS);
    EXPECT_EQ(registry.queryDword(key, u"B"_qs), std::nullopt); // 5 bytes are no number

    ASSERT_EQ(registry.setString(key, QString(), u"TavloText"_qs), ERROR_SUCCESS);
    EXPECT_EQ(registry.queryString(key, QString()), u"TavloText"_qs);

    // Overwriting changes the type too.
    ASSERT_EQ(registry.setString(key, u"N"_qs, u"x"_qs), ERROR_SUCCESS);
    uint32_t size = 0, type = 0;
    ASSERT_EQ(registry.RegQueryValueEx(key, u"N"_qs, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::pair(type, size), std::pair(uint32_t(REG_SZ), 4u));
}

TEST_F(RegistryTest, EnumerationCountsAndDeletionWhileWalkingDownwards) {
    const RegKey key = create(HKEY_CURRENT_USER, u"OpenDocs"_qs);
    for (const char* name : {"300", "100", "200"})
        ASSERT_EQ(registry.setString(key, QString::fromLatin1(name), u"/p/"_qs + name),
                  ERROR_SUCCESS);
    // Rewriting a value keeps its place.
    ASSERT_EQ(registry.setString(key, u"300"_qs, u"/q"_qs), ERROR_SUCCESS);
    for (const char* sub : {"b", "A", "c"})
        create(key, QString::fromLatin1(sub));

    uint32_t subKeys = 0, values = 0;
    ASSERT_EQ(registry.RegQueryInfoKey(key, &subKeys, &values), ERROR_SUCCESS);
    EXPECT_EQ(std::pair(subKeys, values), std::pair(3u, 3u));

    QString name;
    QStringList valueNames;
    for (uint32_t i = 0;; ++i) {
        char16_t data[16];
        uint32_t size = sizeof data, type = 0;
        const LSTATUS st = registry.RegEnumValue(key, i, &name, &type, data, &size);
        if (st == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(st, ERROR_SUCCESS);
        EXPECT_EQ(type, REG_SZ);
        valueNames << name + u'=' +
                          Registry::decodeString(
                              QByteArrayView(reinterpret_cast<char*>(data), size));
    }
    EXPECT_EQ(valueNames, QStringList({"300=/q", "100=/p/100", "200=/p/200"}));

    // A name longer than the caller's room, and data larger than its buffer.
    EXPECT_EQ(registry.RegEnumValue(key, 0, &name, nullptr, nullptr, nullptr, 2), ERROR_MORE_DATA);
    char tiny[2];
    uint32_t tinySize = sizeof tiny;
    EXPECT_EQ(registry.RegEnumValue(key, 0, &name, nullptr, tiny, &tinySize), ERROR_MORE_DATA);
    EXPECT_EQ(tinySize, 6u);

    for (int i = int(values) - 1; i >= 0; --i) {
        ASSERT_EQ(registry.RegEnumValue(key, uint32_t(i), &name, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
        if (name != u"100"_qs) {
            ASSERT_EQ(registry.RegDeleteValue(key, name), ERROR_SUCCESS);
        }
    }
    ASSERT_EQ(registry.RegQueryInfoKey(key, nullptr, &values), ERROR_SUCCESS);
    EXPECT_EQ(values, 1u);
    EXPECT_EQ(registry.RegDeleteValue(key, u"300"_qs), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsTreeAndInvalidatesHandles) {
    const RegKey app = create(HKEY_CURRENT_USER, u"S\\O\\App"_qs);
    const RegKey deep = create(app, u"NotepatMRUList\\x\\y"_qs);
    ASSERT_EQ(registry.setString(deep, u"File1"_qs, u"/a"_qs), ERROR_SUCCESS);
    ASSERT_EQ(registry.setDword(app, u"keep"_qs, 7), ERROR_SUCCESS);

    ASSERT_EQ(registry.RegDeleteKey(app, u"notepatmrulist"_qs), ERROR_SUCCESS);
    RegKey probe;
    EXPECT_EQ(registry.RegOpenKeyEx(app, u"NotepatMRUList"_qs, &probe), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.queryString(deep, u"File1"_qs), std::nullopt);
    EXPECT_EQ(registry.setString(deep, u"File1"_qs, u"/a"_qs), ERROR_KEY_DELETED);
    EXPECT_EQ(registry.queryDword(app, u"keep"_qs), 7u);
    EXPECT_EQ(registry.RegDeleteKey(app, u"NotepatMRUList"_qs), ERROR_FILE_NOT_FOUND);

    // Created again, the key starts empty and old handles work again.
    create(app, u"NotepatMRUList\\x\\y"_qs);
    uint32_t values = 9;
    ASSERT_EQ(registry.RegQueryInfoKey(deep, nullptr, &values), ERROR_SUCCESS);
    EXPECT_EQ(values, 0u);
}

TEST_F(RegistryTest, DatabasePathComesFromTheEnvironment) {
    const ScopedEnv registryEnv("TAVLO_REGISTRY", QFile::encodeName(dir.filePath("env.sqlite")));
    const ScopedEnv config("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    EXPECT_EQ(Registry::defaultDatabasePath(), dir.filePath("env.sqlite"));
    registryEnv.set({});
    EXPECT_EQ(Registry::defaultDatabasePath(), dir.filePath("config/tavlo/registry.sqlite"));
    {
        // The folder is created, private to the user.
        Registry atDefault;
        EXPECT_TRUE(atDefault.isAvailable());
        EXPECT_EQ(permissionsOf(dir.filePath("config/tavlo")), 0700u);
    }
    config.set({});
    EXPECT_EQ(Registry::defaultDatabasePath(), QDir::homePath() + "/.config/tavlo/registry.sqlite");
}

// Another program's database, a damaged file, a folder in the file's place
// and a file in its folder's place: the store reads as empty, refuses every
// write, says why, and leaves the file as it was (not even switched to
// another journal mode).
TEST_F(RegistryTest, UnusableDatabaseBehavesAsEmptyStoreAndIsLeftAlone) {
    TempFiles files;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(files.path("foreign.sqlite")).constData(), &db),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE notes(x); INSERT INTO notes VALUES (1)", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    QByteArray garbage(8192, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) & 0xFF);
    files.write("corrupt.sqlite", garbage);
    ASSERT_TRUE(QDir().mkpath(files.path("folder.sqlite")));
    files.write("blocker", {}); // where the database's folder should be: fails for root too
    const struct {
        const char* name;
        StoreProblem problem;
        int error;
    } cases[] = {
        {"foreign.sqlite", StoreProblem::Foreign, 0},
        {"corrupt.sqlite", StoreProblem::Damaged, 0},
        {"folder.sqlite", StoreProblem::FolderInPlace, 0},
        {"blocker/tavlo/registry.sqlite", StoreProblem::FolderNotMade, ENOTDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = files.path(QString::fromLatin1(c.name));
        const QByteArray before = files.read(path);
        Registry unusable(path);
        EXPECT_FALSE(unusable.isAvailable());
        EXPECT_EQ(unusable.problem(), c.problem);
        EXPECT_EQ(unusable.problemError(), c.error);
        RegKey key;
        EXPECT_EQ(unusable.RegOpenKeyEx(HKEY_CURRENT_USER, u"Software"_qs, &key), ERROR_CANTREAD);
        EXPECT_EQ(unusable.RegCreateKeyEx(HKEY_CURRENT_USER, u"Software"_qs, &key),
                  ERROR_CANTWRITE);
        EXPECT_EQ(unusable.setDword(HKEY_CURRENT_USER, u"x"_qs, 1), ERROR_CANTWRITE);
        EXPECT_EQ(unusable.queryDword(HKEY_CURRENT_USER, u"x"_qs), std::nullopt);
        EXPECT_EQ(unusable.RegDeleteKey(HKEY_CURRENT_USER, u"Software"_qs), ERROR_CANTWRITE);
        EXPECT_EQ(files.read(path), before);
        EXPECT_FALSE(QFile::exists(path + "-wal"));
    }
}
