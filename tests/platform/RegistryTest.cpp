#include "Registry.h"
#include "ScopedEnv.h"
#include "TempFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace reg;

namespace {

class RegistryTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString dbPath() const { return dir.filePath(QStringLiteral("registry.sqlite")); }
};

QByteArray utf16WithNul(const char16_t* text) {
    QByteArray out;
    for (const char16_t* p = text; *p; ++p) {
        out.append(char(*p & 0xFF));
        out.append(char(*p >> 8));
    }
    out.append('\0');
    out.append('\0');
    return out;
}

} // namespace

TEST_F(RegistryTest, KeysAreFoundWithoutRegardToCaseAndKeepTheirSpelling) {
    Registry registry(dbPath());
    ASSERT_TRUE(registry.isAvailable());
    RegKey key;
    uint32_t disposition = 0;
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER,
                                      QStringLiteral("Software\\Orvane\\Tavlo Text Editor"), &key,
                                      &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("software\\ORVANE"), &key,
                                      &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    RegKey opened;
    ASSERT_EQ(registry.RegOpenKeyEx(HKEY_CURRENT_USER,
                                    QStringLiteral("SOFTWARE\\orvane\\tavlo TEXT editor"), &opened),
              ERROR_SUCCESS);
    EXPECT_EQ(opened.path(), QStringLiteral("Software\\Orvane\\Tavlo Text Editor"));

    QString name;
    ASSERT_EQ(registry.RegEnumKeyEx(HKEY_CURRENT_USER, 0, &name), ERROR_SUCCESS);
    EXPECT_EQ(name, QStringLiteral("Software"));
    EXPECT_EQ(registry.RegEnumKeyEx(HKEY_CURRENT_USER, 1, &name), ERROR_NO_MORE_ITEMS);

    // The two roots are separate trees.
    EXPECT_EQ(registry.RegOpenKeyEx(HKEY_CLASSES_ROOT, QStringLiteral("Software"), &opened),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, InvalidPathsAndHandlesAreRefused) {
    Registry registry(dbPath());
    RegKey key;
    EXPECT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("\\Software"), &key),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("a\\\\b"), &key),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("a\\"), &key),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(registry.RegDeleteKey(HKEY_CURRENT_USER, QString()), ERROR_INVALID_PARAMETER);
    RegKey closed;
    EXPECT_EQ(registry.RegSetValueEx(closed, QStringLiteral("x"), REG_DWORD, "1234", 4),
              ERROR_INVALID_HANDLE);
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("a"), &key), ERROR_SUCCESS);
    EXPECT_EQ(registry.RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_FALSE(key.isValid());
    EXPECT_EQ(registry.setDword(key, QStringLiteral("x"), 1), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, StringsAreStoredAsUtf16WithTheirNul) {
    Registry registry(dbPath());
    RegKey key;
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("k"), &key), ERROR_SUCCESS);
    ASSERT_EQ(registry.setString(key, QStringLiteral("Face"), QStringLiteral("ＭＳ Ｐゴシック")),
              ERROR_SUCCESS);

    uint32_t type = 0, size = 0;
    ASSERT_EQ(registry.RegQueryValueEx(key, QStringLiteral("FACE"), &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, (8u + 1u) * 2u);

    QByteArray data(int(size), '\x55');
    ASSERT_EQ(registry.RegQueryValueEx(key, QStringLiteral("face"), nullptr, data.data(), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(data, utf16WithNul(u"ＭＳ Ｐゴシック"));

    // One byte short of the value: fails and tells the size needed.
    uint32_t small = size - 1;
    QByteArray tooSmall(int(small), '\0');
    EXPECT_EQ(
        registry.RegQueryValueEx(key, QStringLiteral("Face"), nullptr, tooSmall.data(), &small),
        ERROR_MORE_DATA);
    EXPECT_EQ(small, size);

    EXPECT_EQ(registry.queryString(key, QStringLiteral("Face")), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(registry.queryString(key, QStringLiteral("Face"), 15), std::nullopt);
    EXPECT_EQ(registry.queryString(key, QStringLiteral("missing")), std::nullopt);
}

TEST_F(RegistryTest, DecodingEndsAtTheFirstNul) {
    const QByteArray data("A\0B\0\0\0C\0", 8);
    EXPECT_EQ(Registry::decodeString(data), QStringLiteral("AB"));
    EXPECT_EQ(Registry::decodeString(QByteArray("A\0B", 3)), QStringLiteral("A"));
    EXPECT_EQ(Registry::encodeString(QString()), QByteArray("\0\0", 2));
}

TEST_F(RegistryTest, NumbersBinaryAndTheDefaultValue) {
    Registry registry(dbPath());
    RegKey key;
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CLASSES_ROOT, QStringLiteral(".txt"), &key),
              ERROR_SUCCESS);
    ASSERT_EQ(registry.setDword(key, QStringLiteral("N"), 0x01A00A30u), ERROR_SUCCESS);
    unsigned char bytes[4] = {};
    uint32_t size = 4, type = 0;
    ASSERT_EQ(registry.RegQueryValueEx(key, QStringLiteral("n"), &type, bytes, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(QByteArray(reinterpret_cast<char*>(bytes), 4), QByteArray("\x30\x0A\xA0\x01", 4));
    EXPECT_EQ(registry.queryDword(key, QStringLiteral("N")), 0x01A00A30u);

    const char blob[] = {1, 0, 2, 0, 3};
    ASSERT_EQ(registry.RegSetValueEx(key, QStringLiteral("B"), REG_BINARY, blob, 5), ERROR_SUCCESS);
    EXPECT_EQ(registry.queryDword(key, QStringLiteral("B")), std::nullopt); // 5 bytes are no number

    ASSERT_EQ(registry.setString(key, QString(), QStringLiteral("TavloText")), ERROR_SUCCESS);
    EXPECT_EQ(registry.queryString(key, QString()), QStringLiteral("TavloText"));

    // Overwriting changes the type too.
    ASSERT_EQ(registry.setString(key, QStringLiteral("N"), QStringLiteral("x")), ERROR_SUCCESS);
    ASSERT_EQ(registry.RegQueryValueEx(key, QStringLiteral("N"), &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 4u);
}

TEST_F(RegistryTest, EnumerationCountsAndDeletionWhileWalkingDownwards) {
    Registry registry(dbPath());
    RegKey key;
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("OpenDocs"), &key),
              ERROR_SUCCESS);
    for (const char* name : {"300", "100", "200"})
        ASSERT_EQ(registry.setString(key, QString::fromLatin1(name), QStringLiteral("/p/") + name),
                  ERROR_SUCCESS);
    // Rewriting a value keeps its place.
    ASSERT_EQ(registry.setString(key, QStringLiteral("300"), QStringLiteral("/q")), ERROR_SUCCESS);
    for (const char* sub : {"b", "A", "c"}) {
        RegKey child;
        ASSERT_EQ(registry.RegCreateKeyEx(key, QString::fromLatin1(sub), &child), ERROR_SUCCESS);
    }

    uint32_t subKeys = 0, values = 0;
    ASSERT_EQ(registry.RegQueryInfoKey(key, &subKeys, &values), ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 3u);
    EXPECT_EQ(values, 3u);

    QStringList names;
    QString name;
    for (uint32_t i = 0; registry.RegEnumKeyEx(key, i, &name) == ERROR_SUCCESS; ++i)
        names << name;
    EXPECT_EQ(names, QStringList({"A", "b", "c"}));

    QStringList valueNames;
    for (uint32_t i = 0;; ++i) {
        char16_t data[16];
        uint32_t size = sizeof data, type = 0;
        const LSTATUS st = registry.RegEnumValue(key, i, &name, &type, data, &size);
        if (st == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(st, ERROR_SUCCESS);
        EXPECT_EQ(type, REG_SZ);
        valueNames << name + QLatin1Char('=') +
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
        if (name != QLatin1String("100")) {
            ASSERT_EQ(registry.RegDeleteValue(key, name), ERROR_SUCCESS);
        }
    }
    ASSERT_EQ(registry.RegQueryInfoKey(key, nullptr, &values), ERROR_SUCCESS);
    EXPECT_EQ(values, 1u);
    EXPECT_EQ(registry.RegDeleteValue(key, QStringLiteral("300")), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DeletingAKeyTakesItsTreeAndInvalidatesHandles) {
    Registry registry(dbPath());
    RegKey app, deep;
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("S\\O\\App"), &app),
              ERROR_SUCCESS);
    ASSERT_EQ(registry.RegCreateKeyEx(app, QStringLiteral("NotepatMRUList\\x\\y"), &deep),
              ERROR_SUCCESS);
    ASSERT_EQ(registry.setString(deep, QStringLiteral("File1"), QStringLiteral("/a")),
              ERROR_SUCCESS);
    ASSERT_EQ(registry.setDword(app, QStringLiteral("keep"), 7), ERROR_SUCCESS);

    ASSERT_EQ(registry.RegDeleteKey(app, QStringLiteral("notepatmrulist")), ERROR_SUCCESS);
    RegKey probe;
    EXPECT_EQ(registry.RegOpenKeyEx(app, QStringLiteral("NotepatMRUList"), &probe),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.queryString(deep, QStringLiteral("File1")), std::nullopt);
    EXPECT_EQ(registry.setString(deep, QStringLiteral("File1"), QStringLiteral("/a")),
              ERROR_KEY_DELETED);
    EXPECT_EQ(registry.queryDword(app, QStringLiteral("keep")), 7u);
    EXPECT_EQ(registry.RegDeleteKey(app, QStringLiteral("NotepatMRUList")), ERROR_FILE_NOT_FOUND);

    // Created again, the key starts empty and old handles work again.
    ASSERT_EQ(registry.RegCreateKeyEx(app, QStringLiteral("NotepatMRUList\\x\\y"), &probe),
              ERROR_SUCCESS);
    uint32_t values = 9;
    ASSERT_EQ(registry.RegQueryInfoKey(deep, nullptr, &values), ERROR_SUCCESS);
    EXPECT_EQ(values, 0u);
}

TEST_F(RegistryTest, ValuesPersistInAPrivateFile) {
    {
        Registry registry(dbPath());
        RegKey key;
        ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("k"), &key),
                  ERROR_SUCCESS);
        ASSERT_EQ(registry.setDword(key, QStringLiteral("TAB_SIZE"), 4), ERROR_SUCCESS);
    }
    Registry again(dbPath());
    RegKey key;
    ASSERT_EQ(again.RegOpenKeyEx(HKEY_CURRENT_USER, QStringLiteral("K"), &key), ERROR_SUCCESS);
    EXPECT_EQ(again.queryDword(key, QStringLiteral("tab_size")), 4u);

    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dbPath()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(RegistryTest, DatabasePathComesFromTheEnvironment) {
    const ScopedEnv registryEnv("TAVLO_REGISTRY", QFile::encodeName(dir.filePath("env.sqlite")));
    const ScopedEnv config("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
    EXPECT_EQ(Registry::defaultDatabasePath(), dir.filePath("env.sqlite"));
    registryEnv.set({});
    EXPECT_EQ(Registry::defaultDatabasePath(), dir.filePath("config/tavlo/registry.sqlite"));
    {
        // The folder is created, private to the user.
        Registry registry;
        EXPECT_TRUE(registry.isAvailable());
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(dir.filePath("config/tavlo")).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
    config.set({});
    EXPECT_EQ(Registry::defaultDatabasePath(), QDir::homePath() + "/.config/tavlo/registry.sqlite");
}

namespace {

void expectBehavesAsEmptyStore(Registry& registry) {
    EXPECT_FALSE(registry.isAvailable());
    RegKey key;
    EXPECT_EQ(registry.RegOpenKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software"), &key),
              ERROR_CANTREAD);
    EXPECT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software"), &key),
              ERROR_CANTWRITE);
    EXPECT_EQ(registry.setDword(HKEY_CURRENT_USER, QStringLiteral("x"), 1), ERROR_CANTWRITE);
    EXPECT_EQ(registry.queryDword(HKEY_CURRENT_USER, QStringLiteral("x")), std::nullopt);
    QString name;
    EXPECT_EQ(registry.RegEnumKeyEx(HKEY_CURRENT_USER, 0, &name), ERROR_CANTREAD);
    EXPECT_EQ(registry.RegDeleteKey(HKEY_CURRENT_USER, QStringLiteral("Software")),
              ERROR_CANTWRITE);
}

} // namespace

TEST_F(RegistryTest, UnusableDatabaseBehavesAsEmptyStoreAndIsLeftAlone) {
    QByteArray garbage(8192, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) & 0xFF);
    TempFiles files;
    files.write("corrupt.sqlite", garbage);
    ASSERT_TRUE(QDir().mkpath(files.path("folder.sqlite")));
    files.write("blocker", {}); // where the database's folder should be: fails for root too
    for (const char* name : {"corrupt.sqlite", "folder.sqlite", "blocker/tavlo/registry.sqlite"}) {
        SCOPED_TRACE(name);
        Registry registry(files.path(QString::fromLatin1(name)));
        expectBehavesAsEmptyStore(registry);
    }
    EXPECT_EQ(files.read("corrupt.sqlite"), garbage);
}

TEST_F(RegistryTest, SeveralProcessesWriteAndDeleteAtOnceWithoutLoss) {
    constexpr int kProcesses = 4;
    constexpr int kValues = 60;
    {
        // Create the database first so that the workers race only on data.
        Registry registry(dbPath());
        ASSERT_TRUE(registry.isAvailable());
    }
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int p = 0; p < kProcesses; ++p) {
        auto proc = std::make_unique<QProcess>();
        proc->start(QStringLiteral(TAVLO_PLATFORM_TEST_HELPER),
                    {QStringLiteral("registry-worker"), dbPath(), QStringLiteral("p%1").arg(p),
                     QString::number(kValues)});
        workers.push_back(std::move(proc));
    }
    for (auto& proc : workers) {
        ASSERT_TRUE(proc->waitForFinished(120000));
        EXPECT_EQ(proc->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(proc->exitCode(), 0) << proc->readAllStandardError().toStdString();
    }

    Registry registry(dbPath());
    RegKey key;
    ASSERT_EQ(registry.RegOpenKeyEx(HKEY_CURRENT_USER, QStringLiteral("Software\\Shared\\OpenDocs"),
                                    &key),
              ERROR_SUCCESS);
    uint32_t subKeys = 99, values = 0;
    ASSERT_EQ(registry.RegQueryInfoKey(key, &subKeys, &values), ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 0u);
    EXPECT_EQ(values, uint32_t(kProcesses * kValues / 2));
    for (int p = 0; p < kProcesses; ++p) {
        for (int i = 0; i < kValues; ++i) {
            const QString name = QStringLiteral("p%1_%2").arg(p).arg(i);
            const std::optional<QString> value = registry.queryString(key, name);
            if (i % 2 == 1)
                EXPECT_EQ(value, std::nullopt) << name.toStdString();
            else
                EXPECT_EQ(value, QStringLiteral("/path/of/") + name) << name.toStdString();
        }
    }
}
