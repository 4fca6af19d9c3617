#include "MappedInputGuard.h"
#include "TempFiles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

TEST(MappedInputGuard, AnInputShortenedWhileMappedStopsWithAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempFiles dir;
    const QString path = dir.write("in.txt", QByteArray(64 * 1024, 'a'));
    const QByteArray native = QFile::encodeName(path);
    EXPECT_EXIT(
        {
            const int fd = open(native.constData(), O_RDONLY);
            auto* data = static_cast<const volatile char*>(
                mmap(nullptr, 64 * 1024, PROT_READ, MAP_PRIVATE, fd, 0));
            guardMappedInput(path);
            // Another program empties the file; the next read finds no page.
            const int other = open(native.constData(), O_WRONLY | O_TRUNC);
            close(other);
            const char c = data[40000];
            _exit(c == 'a' ? 0 : 3);
        },
        testing::ExitedWithCode(1), "was changed by another program while it was being read");
}
