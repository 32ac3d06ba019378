#include "data/DataError.h"
#include "data/Database.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A start on a disk with no room left, or a few pages only (where SQLite tells an I/O error), says that
// the disk is full. The disk is a small memory file system of the test's own, where it may make one.
TEST(FullDiskTest, AStartOnAFullDiskSaysTheDiskIsFull)
{
    QTemporaryDir folder;
    const QString disk = folder.path();
    if (QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=256k"_s, u"tmpfs"_s, disk}) != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    const auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {disk}); });
    for (int freeKiB : {0, 8, 24}) {
        SCOPED_TRACE(freeKiB);
        QFile filler(QDir(disk).filePath(u"filler"_s));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Truncate));
        filler.write(QByteArray((256 - freeKiB) * 1024, '\0'));
        filler.close();
        try {
            Schema::openBooks(QDir(disk).filePath(u"books.sqlite"_s));
            ADD_FAILURE() << "books opened on a full disk";
        } catch (const DataError& error) {
            EXPECT_EQ(error.reason(), DataError::Reason::DiskFull) << error.message().toStdString();
            EXPECT_EQ(error.detail(), u"The disk that holds the books is full."_s);
        }
        EXPECT_FALSE(QFile::exists(QDir(disk).filePath(u"books.sqlite"_s))) << "no file left behind";
    }
}

} // namespace
