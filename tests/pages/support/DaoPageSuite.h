#pragma once

// Fixtures of the database page tests (Compact / Repair, Make Backup): the
// suite's files made by the engine in a temporary folder, the application
// object with a logged-in session and its profile there, the page shown in a
// property sheet on real widgets, and the file checks the tests make.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FileFaults.h"
#include "ScriptedDesktop.h"
#include "TARNEX.h"
#include "TarnexResources.h"
#include "WindowHandle.h"
#include "talveron/engine/Database.h"
#include "talveron/engine/Error.h"
#include "talveron/engine/Workgroup.h"

namespace tarnex::daotest {

namespace fs = std::filesystem;
namespace engine = talveron::engine;

inline constexpr const char* kDaoAdminPassword = "admin pw";
inline constexpr const char* kDaoClerkPassword = "clerk pw";

// A table's rows as text, table by table: what "the whole database" means here.
using Content = std::map<std::string, std::vector<std::vector<std::string>>>;

inline std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The suite's workgroup (Admin, and Clerk in group Users) and a database owned
// by Admin with two tables, some of whose rows were deleted so that
// compaction makes the file smaller.
class DaoSuiteFiles {
public:
    explicit DaoSuiteFiles(const std::string& databaseName = "suite.mdb") {
        std::string pattern = (fs::temp_directory_path() / "dao-pages-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder = pattern;
        workgroup = folder / "secure.mdw";
        database = folder / databaseName;
        profile = folder / "TALVERON32.INI";

        auto files =
            engine::Workgroup::create(workgroup, "Suite", engine::HashCost::MinimalForTestsOnly);
        files.changePassword("Admin", "", kDaoAdminPassword);
        const engine::Account admin = files.authenticate("Admin", kDaoAdminPassword);
        files.addUser(admin, "Clerk", kDaoClerkPassword);
        engine::Database::create(database, files, admin);

        auto db = engine::Database::open(database, {workgroup, "Admin", kDaoAdminPassword});
        std::string sql =
            "BEGIN;CREATE TABLE Parts (id INTEGER PRIMARY KEY, name TEXT);"
            "CREATE TABLE Orders (id INTEGER PRIMARY KEY, part INTEGER, note TEXT);";
        for (int i = 0; i < 150; ++i) {
            const std::string n = std::to_string(i);
            sql += "INSERT INTO Parts (name) VALUES ('part " + n + " " + std::string(300, 'p') +
                   "');INSERT INTO Orders (part, note) VALUES (" + n + ", 'order " + n + " " +
                   std::string(200, 'o') + "');";
        }
        sql += "DELETE FROM Parts WHERE id % 4 <> 0;DELETE FROM Orders WHERE id % 3 = 0;COMMIT;";
        db.execute(sql);
        original = ContentOf(database);
    }
    ~DaoSuiteFiles() {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    DaoSuiteFiles(const DaoSuiteFiles&) = delete;
    DaoSuiteFiles& operator=(const DaoSuiteFiles&) = delete;

    // The content of a database file, read through the engine; empty when
    // the file is missing or not a whole database of this workgroup.
    Content ContentOf(const fs::path& file) const {
        Content content;
        try {
            auto db = engine::Database::open(file, {workgroup, "Admin", kDaoAdminPassword},
                                             {false, true});
            for (const std::string& table : db.tables()) {
                auto rows = db.prepare("SELECT * FROM \"" + table + "\" ORDER BY 1");
                auto& out = content[table];
                while (rows.step()) {
                    std::vector<std::string> row;
                    for (int c = 0; c < rows.columnCount(); ++c) {
                        row.push_back(rows.columnText(c).value_or("NULL"));
                    }
                    out.push_back(std::move(row));
                }
            }
        } catch (const engine::Error&) {
            return {};
        }
        return content;
    }
    bool HoldsWholeDatabase(const fs::path& file) const {
        return fs::exists(file) && ContentOf(file) == original;
    }
    // The names in the folder other than the workgroup, the profile and the
    // engine's use registries.
    std::vector<std::string> OtherFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name == "secure.mdw" || name == "TALVERON32.INI" ||
                entry.path().extension() == ".ldb") {
                continue;
            }
            names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // DB_SIZE in the profile, or -1 when it is not there.
    int ProfileDbSize() const {
        return static_cast<int>(GetPrivateProfileIntA("General", "DB_SIZE", -1, profile.c_str()));
    }
    std::size_t Sessions() const { return engine::sessionsOf(database).size(); }

    fs::path folder;
    fs::path workgroup;
    fs::path database;
    fs::path profile;
    Content original;
};

// The application object with the session of a logged-in Admin and its
// profile in the suite's folder; the security catalog is open, as after a login.
class LoggedInApp : public CTARNEXApp {
public:
    explicit LoggedInApp(const DaoSuiteFiles& files, const std::string& user = "Admin",
                         const std::string& password = kDaoAdminPassword) {
        platform::res::RegisterResourceModule(&TarnexResources());
        std::free(const_cast<char*>(m_pszProfileName));
        m_pszProfileName = _tcsdup(files.profile.c_str());
        m_strDatabase = files.database.c_str();
        m_strSystemDb = files.workgroup.c_str();
        m_strUserId = user.c_str();
        m_strPassword = password.c_str();
        m_strConnect = "ODBC;DBQ=" + m_strDatabase + ";";
        EXPECT_TRUE(ConnectCatalog());
    }
    ~LoggedInApp() override {
        DisconnectCatalog();
        AfxDaoTerm();
    }
};

inline QWidget* ItemOf(const CWnd& wnd, int id) {
    return platform::win::WidgetFromHandle(::GetDlgItem(wnd.m_hWnd, id));
}

inline void Click(const CWnd& page, int id) {
    auto* button = qobject_cast<QAbstractButton*>(ItemOf(page, id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->click();
}

inline bool Enabled(const CWnd& page, int id) {
    return ItemOf(page, id)->isEnabled();
}

inline std::string TextOf(const CWnd& page, int id) {
    QWidget* w = ItemOf(page, id);
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toLocal8Bit().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text().toLocal8Bit().toStdString();
    return {};
}

inline void Type(const CWnd& page, int id, const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(ItemOf(page, id));
    ASSERT_NE(edit, nullptr);
    edit->setText(QString::fromLocal8Bit(text.c_str()));
}

// Shows `page` in a sheet and runs `work` while it is up.
inline void WithPage(CPropertyPage& page, const std::function<void()>& work) {
    CPropertySheet sheet("Quill*Marsh Database Manager");
    sheet.AddPage(&page);
    platform::testing::WhenIdle([&] {
        work();
        sheet.EndDialog(IDCANCEL);
    });
    sheet.DoModal();
}

// Makes file operations fail while it lives: `plan` answers each event.
class FileFaults {
public:
    explicit FileFaults(platform::FileFaultHook plan)
        : m_previous(platform::SetFileFaultHook(std::move(plan))) {}
    ~FileFaults() { platform::SetFileFaultHook(std::move(m_previous)); }
    FileFaults(const FileFaults&) = delete;
    FileFaults& operator=(const FileFaults&) = delete;

private:
    platform::FileFaultHook m_previous;
};

// A second process that holds the database open through the engine until
// this object goes away.
class OtherSession {
public:
    OtherSession(const fs::path& database, const fs::path& workgroup) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe failed");
        m_child = ::fork();
        if (m_child == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            char c = 0;
            try {
                auto db = engine::Database::open(database, {workgroup, "Clerk", kDaoClerkPassword});
                c = 1;
                (void)!::write(ready[1], &c, 1);
                (void)!::read(release[0], &c, 1);  // until the parent closes its end
            } catch (...) {
                (void)!::write(ready[1], &c, 1);
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        m_release = release[1];
        char c = 0;
        m_open = ::read(ready[0], &c, 1) == 1 && c == 1;
        ::close(ready[0]);
    }
    ~OtherSession() {
        ::close(m_release);
        int status = 0;
        ::waitpid(m_child, &status, 0);
    }
    OtherSession(const OtherSession&) = delete;
    OtherSession& operator=(const OtherSession&) = delete;
    bool IsOpen() const { return m_open; }

private:
    pid_t m_child = -1;
    int m_release = -1;
    bool m_open = false;
};

}  // namespace tarnex::daotest
