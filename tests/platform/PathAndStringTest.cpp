// Path splitting, multibyte helpers, file lookup and CString.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "afxwin.h"

namespace {

TEST(SplitPath, GivesDirectoryWithSlashAndNoDrive) {
    struct Case {
        const char* path;
        const char* dir;
        const char* fname;
        const char* ext;
    } cases[] = {
        {"/data/talveron.mdb", "/data/", "talveron", ".mdb"},
        {"talveron.mdb", "", "talveron", ".mdb"},
        {"/data.d/talveron", "/data.d/", "talveron", ""},
        {"/a/b.c/archive.tar.gz", "/a/b.c/", "archive.tar", ".gz"},
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE] = "x", dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, "") << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
}

TEST(Mbs, SearchesAndComparesBytes) {
    const auto* path = reinterpret_cast<const unsigned char*>("/opt/Zürich/app");
    EXPECT_EQ(_mbsrchr(path, '/') - path, 12);  // "ü" is two bytes
    EXPECT_EQ(_mbscmp(reinterpret_cast<const unsigned char*>("Secret"),
                      reinterpret_cast<const unsigned char*>("secret")),
              -1);
    EXPECT_EQ(_mbscmp(reinterpret_cast<const unsigned char*>("same"),
                      reinterpret_cast<const unsigned char*>("same")),
              0);
}

TEST(FindFile, ReportsSizeAndFailsForMissingFiles) {
    auto dir =
        std::filesystem::temp_directory_path() / ("tarnex-find-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto file = dir / "talveron.mdb";
    std::ofstream(file) << std::string(1234, 'x');
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(file.c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 1234u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_STREQ(data.cFileName, "talveron.mdb");
    EXPECT_TRUE(FindClose(h));
    h = FindFirstFileA((dir / "*.mdb").c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "talveron.mdb");
    EXPECT_FALSE(FindNextFileA(h, &data));
    EXPECT_TRUE(FindClose(h));
    EXPECT_EQ(FindFirstFileA((dir / "missing.mdb").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(_access(file.c_str(), 0), 0);
    EXPECT_EQ(_access((dir / "missing.mdb").c_str(), 0), -1);
    std::filesystem::remove_all(dir);
}

TEST(ModulePath, IsTheRealExecutable) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::filesystem::canonical("/proc/self/exe").string(), path);
    char small[4];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof(small)), 4u);
    EXPECT_EQ(std::strlen(small), 3u);
}

TEST(CStringTest, FindsCutsAndFormats) {
    CString s = "ODBC;DSN=TALVERON;UID=admin;";
    EXPECT_EQ(s.Find(';'), 4);
    EXPECT_EQ(s.Find("UID"), 18);
    EXPECT_EQ(s.ReverseFind(';'), 27);
    EXPECT_EQ(s.Left(4), "ODBC");
    EXPECT_EQ(s.Mid(5, 3), "DSN");
    EXPECT_EQ(s.Mid(40), "");
    EXPECT_EQ(s.Right(6), "admin;");
    CString upper = "talveron_demo (Driver)";
    upper.MakeUpper();
    EXPECT_EQ(upper, "TALVERON_DEMO (DRIVER)");
    CString f;
    f.Format("%s=%d", (LPCTSTR)CString("DB_SIZE"), -5);
    EXPECT_EQ(f, "DB_SIZE=-5");
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(CString("a") + "b" + CString('c'), "abc");
}

}  // namespace
