// The platform's file operations on real files: rename never replaces,
// remove and replace refuse read-only files, identities see through spellings,
// and the file-fault hook can fail any operation.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CrtSplitPath.h"
#include "FileFaults.h"
#include "FileOperations.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// Sets or clears the immutable flag; false when this process or file system cannot.
bool SetImmutable(const fs::path& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

class FileOperations : public ::testing::Test {
protected:
    FileOperations() {
        std::string pattern = (fs::temp_directory_path() / "file-ops-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_folder = pattern;
    }
    ~FileOperations() override {
        platform::SetFileFaultHook({});
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(m_folder, ignored)) {
            SetImmutable(entry.path(), false);
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_folder, ignored);
    }

    std::string file(const std::string& name, const std::string& content) const {
        WriteAll(m_folder / name, content);
        return (m_folder / name).string();
    }
    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    fs::path m_folder;
};

TEST_F(FileOperations, RenameMovesAndNeverReplaces) {
    const std::string a = file("a.mdb", "A");
    const std::string b = file("b.mdb", "B");
    errno = 0;
    EXPECT_EQ(_trename(a.c_str(), b.c_str()), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(ReadAll(a), "A");
    EXPECT_EQ(ReadAll(b), "B");

    EXPECT_EQ(_trename(a.c_str(), path("c.mdb").c_str()), 0);
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(ReadAll(path("c.mdb")), "A");

    errno = 0;
    EXPECT_EQ(_trename(path("missing").c_str(), path("d").c_str()), -1);
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(FileOperations, RenameCopiesAcrossFileSystems) {
    const fs::path other = "/dev/shm";
    struct stat here {};
    struct stat there {};
    if (::stat(m_folder.c_str(), &here) != 0 || ::stat(other.c_str(), &there) != 0 ||
        here.st_dev == there.st_dev || ::access(other.c_str(), W_OK) != 0) {
        GTEST_SKIP() << "no second file system to move to";
    }
    const std::string source = file("across.mdb", std::string(100000, 'x'));
    ::chmod(source.c_str(), 0640);
    const fs::path target = other / ("file-ops-" + std::to_string(::getpid()) + ".mdb");
    ASSERT_EQ(_trename(source.c_str(), target.c_str()), 0);
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(ReadAll(target), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Back again, onto a name that is taken: refused, nothing lost.
    const std::string taken = file("taken.mdb", "T");
    errno = 0;
    EXPECT_EQ(_trename(target.c_str(), taken.c_str()), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(ReadAll(taken), "T");
    EXPECT_TRUE(fs::exists(target));
    for (const auto& entry : fs::directory_iterator(m_folder)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with("."))
            << "left behind: " << entry.path();
    }
    fs::remove(target);
}

TEST_F(FileOperations, RemoveRefusesReadOnlyFilesAndFolders) {
    const std::string plain = file("plain.mdb", "P");
    EXPECT_EQ(_tremove(plain.c_str()), 0);
    EXPECT_FALSE(fs::exists(plain));

    // Without any write bit the file is read-only, whoever asks (also root).
    const std::string readOnly = file("readonly.mdb", "R");
    ::chmod(readOnly.c_str(), 0444);
    errno = 0;
    EXPECT_EQ(_tremove(readOnly.c_str()), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_TRUE(fs::exists(readOnly));
    EXPECT_NE(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_FALSE(CanDeleteFileA(readOnly.c_str()));

    fs::create_directory(m_folder / "folder");
    EXPECT_EQ(_tremove(path("folder").c_str()), -1);
    EXPECT_TRUE(fs::is_directory(m_folder / "folder"));
    EXPECT_FALSE(CanDeleteFileA(path("folder").c_str()));

    EXPECT_EQ(_tremove(path("missing").c_str()), -1);
    EXPECT_FALSE(CanDeleteFileA(path("missing").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileOperations, ImmutableFilesAreReadOnly) {
    const std::string locked = file("locked.mdb", "L");
    if (!SetImmutable(locked, true)) GTEST_SKIP() << "cannot set the immutable flag here";
    EXPECT_NE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_FALSE(CanDeleteFileA(locked.c_str()));
    EXPECT_EQ(_tremove(locked.c_str()), -1);
    const std::string other = file("other.mdb", "O");
    EXPECT_FALSE(MoveFileExA(other.c_str(), locked.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadAll(locked), "L");
    SetImmutable(locked, false);
}

TEST_F(FileOperations, CanDeleteFollowsTheFolder) {
    const std::string inside = file("inside.mdb", "I");
    EXPECT_TRUE(CanDeleteFileA(inside.c_str()));
    EXPECT_EQ(GetFileAttributesA(inside.c_str()), FILE_ATTRIBUTE_NORMAL);
    if (::geteuid() != 0) {
        ::chmod(m_folder.c_str(), 0555);
        EXPECT_FALSE(CanDeleteFileA(inside.c_str()));
        ::chmod(m_folder.c_str(), 0755);
    }
    if (SetImmutable(m_folder, true)) {
        // Even the superuser cannot remove entries of an immutable folder.
        EXPECT_FALSE(CanDeleteFileA(inside.c_str()));
        EXPECT_EQ(_tremove(inside.c_str()), -1);
        SetImmutable(m_folder, false);
    }
    EXPECT_TRUE(CanDeleteFileA(inside.c_str()));
}

TEST_F(FileOperations, ReplaceSwapsInOneStep) {
    const std::string fresh = file("fresh.tmp", "new");
    const std::string old = file("backup.mdb", "old");
    EXPECT_FALSE(MoveFileExA(fresh.c_str(), old.c_str(), 0));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_TRUE(MoveFileExA(fresh.c_str(), old.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(ReadAll(old), "new");
    EXPECT_FALSE(fs::exists(fresh));

    // A read-only file or a folder at the target is not replaced.
    const std::string again = file("again.tmp", "again");
    ::chmod(old.c_str(), 0444);
    EXPECT_FALSE(MoveFileExA(again.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadAll(old), "new");
    fs::create_directory(m_folder / "dir");
    EXPECT_FALSE(MoveFileExA(again.c_str(), path("dir").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadAll(again), "again");
}

TEST_F(FileOperations, IdentitySeesThroughSpellings) {
    const std::string db = file("suite.mdb", "D");
    fs::create_directory(m_folder / "sub");
    fs::create_symlink(db, m_folder / "sub" / "link.mdb");
    fs::create_hard_link(db, m_folder / "hard.mdb");
    const std::string other = file("other.mdb", "D");

    FILE_ID_INFO id{};
    ASSERT_TRUE(GetFileIdA(db.c_str(), &id));
    for (const std::string& spelling :
         {path("sub/../suite.mdb"), path("./suite.mdb"), m_folder.string() + "//suite.mdb",
          path("sub/link.mdb"), path("hard.mdb")}) {
        FILE_ID_INFO same{};
        ASSERT_TRUE(GetFileIdA(spelling.c_str(), &same)) << spelling;
        EXPECT_EQ(same.VolumeSerialNumber, id.VolumeSerialNumber) << spelling;
        EXPECT_EQ(same.FileId, id.FileId) << spelling;
    }
    FILE_ID_INFO different{};
    ASSERT_TRUE(GetFileIdA(other.c_str(), &different));
    EXPECT_NE(different.FileId, id.FileId);
    EXPECT_FALSE(GetFileIdA(path("missing").c_str(), &different));
}

TEST_F(FileOperations, FaultHookFailsOperationsAndSeesThemDone) {
    const std::string a = file("a.mdb", "A");
    const std::string b = file("b.mdb", "B");
    std::vector<std::string> seen;
    platform::SetFileFaultHook([&](const platform::FileEvent& e) {
        seen.push_back(std::string(platform::FileOperationName(e.operation)) +
                       (e.phase == platform::FilePhase::Before ? " before " : " after ") +
                       fs::path(e.path).filename().string() +
                       (e.target.empty() ? "" : " -> " + fs::path(e.target).filename().string()));
        return e.operation == platform::FileOperation::Remove ? EACCES : 0;
    });
    errno = 0;
    EXPECT_EQ(_tremove(a.c_str()), -1);
    EXPECT_EQ(errno, EACCES);
    EXPECT_TRUE(fs::exists(a));
    EXPECT_EQ(_trename(a.c_str(), path("c.mdb").c_str()), 0);
    EXPECT_TRUE(MoveFileExA(path("c.mdb").c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_TRUE(CanDeleteFileA(b.c_str()));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "remove before a.mdb", "rename before a.mdb -> c.mdb",
                        "rename after a.mdb -> c.mdb", "replace before c.mdb -> b.mdb",
                        "replace after c.mdb -> b.mdb", "delete-check before b.mdb",
                        "delete-check after b.mdb"}));
    EXPECT_EQ(ReadAll(b), "A");
}

}  // namespace

namespace {

struct Split {
    int result;
    std::string dir, name, ext;
};

Split SplitPath(const std::string& path, std::size_t size = 4096) {
    std::vector<char> drive(size), dir(size), name(size), ext(size);
    Split s;
    s.result = _splitpath_s(path.c_str(), drive.data(), size, dir.data(), size, name.data(), size,
                            ext.data(), size);
    EXPECT_STREQ(drive.data(), "");
    s.dir = dir.data();
    s.name = name.data();
    s.ext = ext.data();
    return s;
}

TEST(SplitPathS, KeepsEveryPartWhole) {
    const std::string deep = "/" + std::string(300, 'd') + "/" + std::string(280, 'e') + "/";
    Split s = SplitPath(deep + "talveron.mdb");
    EXPECT_EQ(s.result, 0);
    EXPECT_EQ(s.dir, deep);
    EXPECT_EQ(s.name, "talveron");
    EXPECT_EQ(s.ext, ".mdb");

    s = SplitPath("other.v2.mdb");
    EXPECT_EQ(s.dir, "");
    EXPECT_EQ(s.name, "other.v2");
    EXPECT_EQ(s.ext, ".mdb");

    s = SplitPath("/data.d/talveron");
    EXPECT_EQ(s.dir, "/data.d/");
    EXPECT_EQ(s.name, "talveron");
    EXPECT_EQ(s.ext, "");
}

TEST(SplitPathS, RefusesBuffersTooSmallAndBadArguments) {
    Split s = SplitPath("/data/talveron.mdb", 6);
    EXPECT_EQ(s.result, ERANGE);
    EXPECT_EQ(s.dir + s.name + s.ext, "");
    char dir[16];
    EXPECT_EQ(_splitpath_s(nullptr, nullptr, 0, dir, sizeof dir, nullptr, 0, nullptr, 0), EINVAL);
    EXPECT_EQ(_splitpath_s("/a/b.c", nullptr, 0, nullptr, 5, nullptr, 0, nullptr, 0), EINVAL);
    EXPECT_EQ(_splitpath_s("/a/b.c", nullptr, 0, dir, sizeof dir, nullptr, 0, nullptr, 0), 0);
    EXPECT_STREQ(dir, "/a/");
}

}  // namespace
