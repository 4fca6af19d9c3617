#include "DesktopAssociation.h"
#include "Registry.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// xdg-mime (xdg-utils) is a declared dependency: these tests run it for real
// against a temporary XDG_CONFIG_HOME and XDG_DATA_HOME.
class DesktopAssociationTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("registry.sqlite"))};
    DesktopAssociation::Options options;

    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            << "xdg-mime is missing: install xdg-utils (scripts/install-deps.sh)";
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), dir.filePath(QStringLiteral("system")));
        options.environment = env;
        QDir().mkpath(dir.filePath(QStringLiteral("config")));
    }
    void installEntry() {
        QDir().mkpath(dir.filePath(QStringLiteral("data/applications")));
        QFile entry(dir.filePath(QStringLiteral("data/applications/tavlo.desktop")));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Tavlo\nExec=tavlo %f\n");
    }
    QByteArray mimeApps() {
        QFile f(dir.filePath(QStringLiteral("config/mimeapps.list")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    void writeMimeApps(const QByteArray& text) {
        QFile f(dir.filePath(QStringLiteral("config/mimeapps.list")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

TEST_F(DesktopAssociationTest, TheUsersDefaultIsTakenAndGivenBack) {
    installEntry();
    const QByteArray before = "[Added Associations]\ntext/plain=other.desktop;\n\n"
                              "[Default Applications]\ntext/plain=other.desktop\n";
    writeMimeApps(before);
    DesktopAssociation desktop(registry, options);
    ASSERT_EQ(desktop.unavailableReason(), QString());
    ASSERT_EQ(DesktopAssociation::mimeTypeFor(QStringLiteral(".txt")), u"text/plain");

    ASSERT_TRUE(desktop.associate(QStringLiteral(".txt"), QStringLiteral("TavloText")));
    EXPECT_TRUE(mimeApps().contains("[Default Applications]\ntext/plain=tavlo.desktop\n"))
        << mimeApps().toStdString();
    EXPECT_EQ(desktop.userDefault(QStringLiteral("text/plain")), u"tavlo.desktop");
    // Associating again keeps the first remembered default.
    ASSERT_TRUE(desktop.associate(QStringLiteral(".txt"), QStringLiteral("TavloText")));

    ASSERT_TRUE(desktop.dissociate(QStringLiteral(".txt"), QStringLiteral("TavloText")));
    EXPECT_TRUE(mimeApps().contains("[Default Applications]\ntext/plain=other.desktop\n"))
        << mimeApps().toStdString();
    EXPECT_TRUE(mimeApps().contains("[Added Associations]\ntext/plain=other.desktop;\n"));
}

TEST_F(DesktopAssociationTest, WithoutAnEarlierDefaultClearingRemovesOurLineOnly) {
    installEntry();
    writeMimeApps("[Default Applications]\ntext/html=browser.desktop\n");
    DesktopAssociation desktop(registry, options);
    ASSERT_TRUE(desktop.associate(QStringLiteral(".txt"), QStringLiteral("TavloText")));
    EXPECT_EQ(desktop.userDefault(QStringLiteral("text/plain")), u"tavlo.desktop");
    ASSERT_TRUE(desktop.dissociate(QStringLiteral(".txt"), QStringLiteral("TavloText")));
    EXPECT_EQ(mimeApps(), "[Default Applications]\ntext/html=browser.desktop\n");
}

TEST_F(DesktopAssociationTest, WithoutTheDesktopEntryNothingIsChangedAndTheReasonIsGiven) {
    DesktopAssociation desktop(registry, options);
    EXPECT_EQ(desktop.unavailableReason(),
              u"デスクトップエントリ tavlo.desktop がインストールされていません。");
    options.xdgMime = dir.filePath(QStringLiteral("no-such-xdg-mime"));
    EXPECT_TRUE(DesktopAssociation(registry, options).unavailableReason().startsWith(u"xdg-mime"));
    EXPECT_EQ(mimeApps(), "<none>");
}
