#include "OpenSession.h"

#include "DatabaseFile.h"
#include "Files.h"

namespace talveron::engine {

OpenedSession openSession(const std::filesystem::path& path, const Credentials& credentials,
                          OpenOptions options, const char* vfs) {
    OpenedSession session;
    session.db = dbfile::openDatabase(path, !options.readOnly, vfs);
    session.workgroupId = dbfile::readMeta(session.db, dbfile::kKeyWorkgroupId);
    session.owner = dbfile::readMeta(session.db, dbfile::kKeyOwner);

    const Workgroup workgroup = Workgroup::open(credentials.workgroup, true);
    if (workgroup.id() != session.workgroupId) {
        throw Error(ErrorCode::ForeignWorkgroup,
                    "The database " + files::quoted(path) +
                        " belongs to another workgroup than the one in " +
                        files::quoted(credentials.workgroup) + ".");
    }
    const Account account = workgroup.authenticate(credentials.user, credentials.password);
    session.user = account.name();
    session.administrator = workgroup.isAdministrator(account);

    // A read-only session in a folder that cannot hold the lock file goes
    // unregistered; anything that writes or needs exclusive use must register.
    session.registration = registry::Session::enter(path, session.user, options.exclusive,
                                                    options.readOnly && !options.exclusive);
    return session;
}

}  // namespace talveron::engine
