#include "WriteBehindVfs.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace talveron::engine::writebehind {

namespace {

constexpr const char* kName = "talveron-writebehind";
// Queued bytes beyond which SQLite waits for the writer: enough to keep it
// busy, small enough to keep memory low.
constexpr std::size_t kMaxQueuedBytes = 8u << 20;
// Queued bytes at which a sleeping writer is woken: waking it for every page
// would cost more than the writing it takes over.
constexpr std::size_t kWakeBytes = 256u << 10;
constexpr std::size_t kSpareBuffers = kMaxQueuedBytes / 4096;
// Adjacent queued pages written with one call.
constexpr std::size_t kPagesPerWrite = 64;

}  // namespace

struct Target::State {
    ~State() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    int fd = -1;  // the writer's own descriptor of the file
    dev_t device = 0;
    ino_t inode = 0;
    std::atomic<int> error{SQLITE_OK};
};

namespace {

std::mutex g_targetsMutex;
std::vector<std::weak_ptr<Target::State>> g_targets;

std::shared_ptr<Target::State> targetFor(const char* path) {
    struct stat st {};
    if (path == nullptr || ::stat(path, &st) != 0) {
        return nullptr;
    }
    const std::lock_guard lock(g_targetsMutex);
    for (const auto& weak : g_targets) {
        if (auto state = weak.lock();
            state && state->device == st.st_dev && state->inode == st.st_ino) {
            return state;
        }
    }
    return nullptr;
}

// The queue and thread that write one file.
class Writer {
public:
    explicit Writer(std::shared_ptr<Target::State> target)
        : m_target(std::move(target)), m_thread([this] { run(); }) {}

    ~Writer() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
        m_target->error = m_error;
    }

    int write(const void* data, int amount, sqlite3_int64 offset) {
        std::unique_lock lock(m_mutex);
        m_room.wait(lock,
                    [this] { return m_queuedBytes < kMaxQueuedBytes || m_error != SQLITE_OK; });
        if (m_error != SQLITE_OK) {
            return m_error;
        }
        const auto* bytes = static_cast<const char*>(data);
        std::vector<char> buffer = takeBuffer();
        buffer.assign(bytes, bytes + amount);
        m_queue.push_back({std::move(buffer), offset});
        m_queuedBytes += static_cast<std::size_t>(amount);
        if (m_sleeping && m_queuedBytes >= kWakeBytes) {
            m_wake.notify_one();
        }
        return SQLITE_OK;
    }

    // Waits until every queued write is done; the first error, if any.
    int drain() {
        std::unique_lock lock(m_mutex);
        if (m_queue.empty() && !m_busy) {
            return m_error;
        }
        m_draining = true;
        m_wake.notify_one();
        m_idle.wait(lock, [this] { return m_queue.empty() && !m_busy; });
        m_draining = false;
        return m_error;
    }

private:
    struct Pending {
        std::vector<char> data;
        sqlite3_int64 offset;
    };

    // A buffer of a finished write, or a new one.
    std::vector<char> takeBuffer() {
        if (m_spare.empty()) {
            return {};
        }
        std::vector<char> buffer = std::move(m_spare.back());
        m_spare.pop_back();
        return buffer;
    }

    // Sleeps until enough is queued (or a drain or the end asks for it), then
    // writes until the queue is empty, adjacent pages with one call.
    void run() {
        std::unique_lock lock(m_mutex);
        std::vector<Pending> batch;
        for (;;) {
            m_sleeping = true;
            m_wake.wait(lock, [this] {
                return m_stop || m_queuedBytes >= kWakeBytes || (m_draining && !m_queue.empty());
            });
            m_sleeping = false;
            while (!m_queue.empty()) {
                batch.clear();
                do {
                    batch.push_back(std::move(m_queue.front()));
                    m_queue.pop_front();
                } while (!m_queue.empty() && batch.size() < kPagesPerWrite &&
                         m_queue.front().offset ==
                             batch.back().offset +
                                 static_cast<sqlite3_int64>(batch.back().data.size()));
                m_busy = true;
                lock.unlock();
                const int rc = m_error == SQLITE_OK ? writeOut(batch) : m_error;
                lock.lock();
                m_busy = false;
                for (Pending& done : batch) {
                    m_queuedBytes -= done.data.size();
                    if (m_spare.size() < kSpareBuffers) {
                        m_spare.push_back(std::move(done.data));
                    }
                }
                if (m_error == SQLITE_OK) {
                    m_error = rc;
                }
                m_room.notify_all();
            }
            m_idle.notify_all();
            if (m_stop) {
                return;
            }
        }
    }

    // Writes adjacent pages; a full disk or a file-size limit is SQLITE_FULL.
    int writeOut(const std::vector<Pending>& batch) const {
        std::vector<iovec> parts;
        for (const Pending& pending : batch) {
            parts.push_back({const_cast<char*>(pending.data.data()), pending.data.size()});
        }
        off_t offset = batch.front().offset;
        std::size_t first = 0;
        while (first < parts.size()) {
            const ssize_t wrote = ::pwritev(m_target->fd, parts.data() + first,
                                            static_cast<int>(parts.size() - first), offset);
            if (wrote < 0 && errno == EINTR) {
                continue;
            }
            if (wrote <= 0) {
                return wrote == 0 || errno == ENOSPC || errno == EDQUOT || errno == EFBIG
                           ? SQLITE_FULL
                           : SQLITE_IOERR_WRITE;
            }
            offset += wrote;
            for (auto left = static_cast<std::size_t>(wrote); left > 0;) {
                const std::size_t step = std::min(left, parts[first].iov_len);
                parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + step;
                parts[first].iov_len -= step;
                left -= step;
                if (parts[first].iov_len == 0) {
                    ++first;
                }
            }
        }
        return SQLITE_OK;
    }

    std::shared_ptr<Target::State> m_target;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_room;
    std::condition_variable m_idle;
    std::deque<Pending> m_queue;
    std::vector<std::vector<char>> m_spare;
    std::size_t m_queuedBytes = 0;
    bool m_sleeping = false;
    bool m_draining = false;
    bool m_busy = false;
    bool m_stop = false;
    int m_error = SQLITE_OK;
    std::thread m_thread;  // last: starts once everything else is set up
};

// The file object SQLite sees; the default VFS's file object follows it in
// the same allocation.
struct File {
    sqlite3_file base;
    sqlite3_file* real;
    Writer* writer;
};

sqlite3_vfs* realVfs(sqlite3_vfs* vfs) {
    return static_cast<sqlite3_vfs*>(vfs->pAppData);
}
File* fileOf(sqlite3_file* file) {
    return reinterpret_cast<File*>(file);
}
sqlite3_file* realOf(sqlite3_file* file) {
    return fileOf(file)->real;
}

// Empties the queue before any operation other than a write.
int settle(sqlite3_file* file) {
    Writer* writer = fileOf(file)->writer;
    return writer != nullptr ? writer->drain() : SQLITE_OK;
}

int xClose(sqlite3_file* file) {
    File* f = fileOf(file);
    delete f->writer;  // drains the queue and records its error
    f->writer = nullptr;
    return f->real->pMethods->xClose(f->real);
}

int xRead(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    if (const int rc = settle(file); rc != SQLITE_OK) {
        return rc;
    }
    return realOf(file)->pMethods->xRead(realOf(file), buffer, amount, offset);
}

int xWrite(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
    if (Writer* writer = fileOf(file)->writer) {
        return writer->write(data, amount, offset);
    }
    return realOf(file)->pMethods->xWrite(realOf(file), data, amount, offset);
}

int xTruncate(sqlite3_file* file, sqlite3_int64 size) {
    if (const int rc = settle(file); rc != SQLITE_OK) {
        return rc;
    }
    return realOf(file)->pMethods->xTruncate(realOf(file), size);
}

int xSync(sqlite3_file* file, int flags) {
    if (const int rc = settle(file); rc != SQLITE_OK) {
        return rc;
    }
    return realOf(file)->pMethods->xSync(realOf(file), flags);
}

int xFileSize(sqlite3_file* file, sqlite3_int64* size) {
    if (const int rc = settle(file); rc != SQLITE_OK) {
        return rc;
    }
    return realOf(file)->pMethods->xFileSize(realOf(file), size);
}

int xLock(sqlite3_file* file, int level) {
    if (const int rc = settle(file); rc != SQLITE_OK) {
        return rc;
    }
    return realOf(file)->pMethods->xLock(realOf(file), level);
}

int xUnlock(sqlite3_file* file, int level) {
    settle(file);
    return realOf(file)->pMethods->xUnlock(realOf(file), level);
}

int xCheckReservedLock(sqlite3_file* file, int* reserved) {
    settle(file);
    return realOf(file)->pMethods->xCheckReservedLock(realOf(file), reserved);
}

int xFileControl(sqlite3_file* file, int op, void* arg) {
    settle(file);
    return realOf(file)->pMethods->xFileControl(realOf(file), op, arg);
}

int xSectorSize(sqlite3_file* file) {
    return realOf(file)->pMethods->xSectorSize(realOf(file));
}

int xDeviceCharacteristics(sqlite3_file* file) {
    return realOf(file)->pMethods->xDeviceCharacteristics(realOf(file));
}

int xShmMap(sqlite3_file* file, int page, int size, int extend, void volatile** out) {
    settle(file);
    return realOf(file)->pMethods->xShmMap(realOf(file), page, size, extend, out);
}

int xShmLock(sqlite3_file* file, int offset, int n, int flags) {
    return realOf(file)->pMethods->xShmLock(realOf(file), offset, n, flags);
}

void xShmBarrier(sqlite3_file* file) {
    realOf(file)->pMethods->xShmBarrier(realOf(file));
}

int xShmUnmap(sqlite3_file* file, int deleteFlag) {
    return realOf(file)->pMethods->xShmUnmap(realOf(file), deleteFlag);
}

int xFetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** out) {
    if (const int rc = settle(file); rc != SQLITE_OK) {
        return rc;
    }
    return realOf(file)->pMethods->xFetch(realOf(file), offset, amount, out);
}

int xUnfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
    return realOf(file)->pMethods->xUnfetch(realOf(file), offset, page);
}

const sqlite3_io_methods kMethods = {
    3,
    xClose,
    xRead,
    xWrite,
    xTruncate,
    xSync,
    xFileSize,
    xLock,
    xUnlock,
    xCheckReservedLock,
    xFileControl,
    xSectorSize,
    xDeviceCharacteristics,
    xShmMap,
    xShmLock,
    xShmBarrier,
    xShmUnmap,
    xFetch,
    xUnfetch,
};

int xOpen(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    File* f = fileOf(file);
    f->real = reinterpret_cast<sqlite3_file*>(f + 1);
    f->writer = nullptr;
    const int rc = realVfs(vfs)->xOpen(realVfs(vfs), name, f->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        if (f->real->pMethods != nullptr) {
            f->real->pMethods->xClose(f->real);
        }
        file->pMethods = nullptr;  // so that SQLite does not close it again
        return rc;
    }
    if ((flags & SQLITE_OPEN_MAIN_DB) != 0) {
        if (auto target = targetFor(name)) {
            try {
                f->writer = new Writer(std::move(target));
            } catch (const std::exception&) {
                // No thread to spare: the file is written directly.
            }
        }
    }
    file->pMethods = &kMethods;
    return SQLITE_OK;
}

int xDelete(sqlite3_vfs* vfs, const char* name, int syncDir) {
    return realVfs(vfs)->xDelete(realVfs(vfs), name, syncDir);
}

int xAccess(sqlite3_vfs* vfs, const char* name, int flags, int* result) {
    return realVfs(vfs)->xAccess(realVfs(vfs), name, flags, result);
}

int xFullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
    return realVfs(vfs)->xFullPathname(realVfs(vfs), name, size, out);
}

void* xDlOpen(sqlite3_vfs* vfs, const char* name) {
    return realVfs(vfs)->xDlOpen(realVfs(vfs), name);
}

void xDlError(sqlite3_vfs* vfs, int size, char* out) {
    realVfs(vfs)->xDlError(realVfs(vfs), size, out);
}

void (*xDlSym(sqlite3_vfs* vfs, void* handle, const char* symbol))(void) {
    return realVfs(vfs)->xDlSym(realVfs(vfs), handle, symbol);
}

void xDlClose(sqlite3_vfs* vfs, void* handle) {
    realVfs(vfs)->xDlClose(realVfs(vfs), handle);
}

int xRandomness(sqlite3_vfs* vfs, int size, char* out) {
    return realVfs(vfs)->xRandomness(realVfs(vfs), size, out);
}

int xSleep(sqlite3_vfs* vfs, int microseconds) {
    return realVfs(vfs)->xSleep(realVfs(vfs), microseconds);
}

int xCurrentTime(sqlite3_vfs* vfs, double* now) {
    return realVfs(vfs)->xCurrentTime(realVfs(vfs), now);
}

int xGetLastError(sqlite3_vfs* vfs, int size, char* out) {
    return realVfs(vfs)->xGetLastError(realVfs(vfs), size, out);
}

int xCurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* now) {
    return realVfs(vfs)->xCurrentTimeInt64(realVfs(vfs), now);
}

sqlite3_vfs* registeredVfs() {
    static sqlite3_vfs vfs = [] {
        sqlite3_vfs* real = sqlite3_vfs_find(nullptr);
        sqlite3_vfs shim{};
        shim.iVersion = 2;
        shim.szOsFile = static_cast<int>(sizeof(File)) + real->szOsFile;
        shim.mxPathname = real->mxPathname;
        shim.zName = kName;
        shim.pAppData = real;
        shim.xOpen = xOpen;
        shim.xDelete = xDelete;
        shim.xAccess = xAccess;
        shim.xFullPathname = xFullPathname;
        shim.xDlOpen = xDlOpen;
        shim.xDlError = xDlError;
        shim.xDlSym = xDlSym;
        shim.xDlClose = xDlClose;
        shim.xRandomness = xRandomness;
        shim.xSleep = xSleep;
        shim.xCurrentTime = xCurrentTime;
        shim.xGetLastError = xGetLastError;
        shim.xCurrentTimeInt64 = xCurrentTimeInt64;
        return shim;
    }();
    static const int registered = sqlite3_vfs_register(&vfs, 0);
    (void)registered;
    return &vfs;
}

}  // namespace

const char* vfsName() {
    return registeredVfs()->zName;
}

Target::Target(const std::filesystem::path& path) : m_state(std::make_shared<State>()) {
    m_state->fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    struct stat st {};
    if (m_state->fd >= 0 && ::fstat(m_state->fd, &st) == 0) {
        m_state->device = st.st_dev;
        m_state->inode = st.st_ino;
        const std::lock_guard lock(g_targetsMutex);
        g_targets.push_back(m_state);
    }
}

Target::~Target() {
    const std::lock_guard lock(g_targetsMutex);
    std::erase_if(g_targets, [](const auto& weak) { return weak.expired(); });
    std::erase_if(g_targets, [this](const auto& weak) { return weak.lock() == m_state; });
}

int Target::error() const noexcept {
    return m_state->error;
}

}  // namespace talveron::engine::writebehind
