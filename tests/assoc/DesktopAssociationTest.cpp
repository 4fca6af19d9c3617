#include "DesktopAssociation.h"
#include "Registry.h"
#include "TempFiles.h"

#include <QStandardPaths>

// xdg-mime (xdg-utils) is a declared dependency: these tests run it for real
// against a temporary XDG_CONFIG_HOME and XDG_DATA_HOME.
class DesktopAssociationTest : public ::testing::Test {
  protected:
    TempFiles dir;
    Registry registry{dir.path(QStringLiteral("registry.sqlite"))};
    DesktopAssociation::Options options;

    void SetUp() override {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            << "xdg-mime is missing: install xdg-utils (scripts/install-deps.sh)";
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("HOME"), dir.folder());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), dir.path(QStringLiteral("system")));
        options.environment = env;
        QDir().mkpath(dir.path(QStringLiteral("config")));
    }
    void installEntry() {
        dir.write(QStringLiteral("data/applications/tavlo.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Tavlo\nExec=tavlo %f\n");
    }
    QByteArray mimeApps() { return dir.read(QStringLiteral("config/mimeapps.list")); }
    void writeMimeApps(const QByteArray& text) {
        dir.write(QStringLiteral("config/mimeapps.list"), text);
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
    options.xdgMime = dir.path(QStringLiteral("no-such-xdg-mime"));
    EXPECT_TRUE(DesktopAssociation(registry, options).unavailableReason().startsWith(u"xdg-mime"));
    EXPECT_EQ(mimeApps(), "<missing>");
}
