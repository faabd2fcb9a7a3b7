#include "files/AtomicFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavin;
using tavin::testing::TempFolder;

TEST(AtomicFile, ReplacesTheFileAndKeepsItsPermissions) {
    TempFolder dir;
    const std::string f = dir.File("a.ini");
    ASSERT_TRUE(WriteFileAtomically(f, "first"));
    struct stat st {};
    ASSERT_EQ(stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    chmod(f.c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomically(f, "second"));
    EXPECT_EQ(TempFolder::Read(f), "second");
    ASSERT_EQ(stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(AtomicFile, FollowsASymbolicLink) {
    TempFolder dir;
    const std::string real = dir.File("real.ini"), link = dir.File("link.ini");
    TempFolder::Write(real, "old");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(real), "new");
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    TempFolder dir;
    const std::string f = dir.File("keep.ini");
    TempFolder::Write(f, "old contents");
    std::string error;

    // Running out of room halfway: the file size limit makes the write fail.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = WriteFileAtomically(f, std::string(100000, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(ok);
    EXPECT_NE(error.find("keep.ini"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::Read(f), "old contents");
    EXPECT_EQ(dir.EntryCount(), 1u);

    EXPECT_FALSE(WriteFileAtomically(dir.File("missing/x.ini"), "data", &error));
    EXPECT_FALSE(error.empty());

    // A folder in the way of the target cannot be replaced.
    std::filesystem::create_directory(dir.File("sub.ini"));
    EXPECT_FALSE(WriteFileAtomically(dir.File("sub.ini"), "data", &error));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("sub.ini")));
    EXPECT_EQ(dir.EntryCount(), 2u);
}

TEST(AtomicFile, ReadOnlyFolder) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    TempFolder dir;
    const std::string f = dir.File("keep.ini");
    TempFolder::Write(f, "old");
    chmod(dir.Path().c_str(), 0555);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(f, "new", &error));
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(TempFolder::Read(f), "old");
}

TEST(AtomicFile, ReadWholeFileReportsMissingAndTooLarge) {
    TempFolder dir;
    std::string text, error;
    bool missing = false;
    EXPECT_FALSE(ReadWholeFile(dir.File("none"), text, &error, &missing));
    EXPECT_TRUE(missing);
    TempFolder::Write(dir.File("big"), std::string(5000, 'x'));
    EXPECT_FALSE(ReadWholeFile(dir.File("big"), text, &error, &missing, 4096));
    EXPECT_FALSE(missing);
    EXPECT_TRUE(ReadWholeFile(dir.File("big"), text, &error, &missing, 5000));
    EXPECT_EQ(text.size(), 5000u);
    EXPECT_FALSE(ReadWholeFile(dir.Path(), text, &error, &missing));
}
