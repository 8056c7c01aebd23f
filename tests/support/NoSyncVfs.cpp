#include "support/NoSyncVfs.h"

#include <sqlite3.h>

#include <mutex>

namespace testsupport {
namespace {

// The default file system's file lies right after this header.
struct File {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }
const sqlite3_io_methods& M(sqlite3_file* f) { return *Real(f)->pMethods; }
sqlite3_vfs* Real(sqlite3_vfs* v) { return static_cast<sqlite3_vfs*>(v->pAppData); }

int Close(sqlite3_file* f) { return M(f).xClose(Real(f)); }
int Read(sqlite3_file* f, void* buf, int n, sqlite3_int64 at) { return M(f).xRead(Real(f), buf, n, at); }
int Write(sqlite3_file* f, const void* buf, int n, sqlite3_int64 at) {
    return M(f).xWrite(Real(f), buf, n, at);
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) { return M(f).xTruncate(Real(f), size); }
int Sync(sqlite3_file*, int) { return SQLITE_OK; }
int FileSize(sqlite3_file* f, sqlite3_int64* size) { return M(f).xFileSize(Real(f), size); }
int Lock(sqlite3_file* f, int level) { return M(f).xLock(Real(f), level); }
int Unlock(sqlite3_file* f, int level) { return M(f).xUnlock(Real(f), level); }
int CheckReservedLock(sqlite3_file* f, int* out) { return M(f).xCheckReservedLock(Real(f), out); }
int FileControl(sqlite3_file* f, int op, void* arg) { return M(f).xFileControl(Real(f), op, arg); }
int SectorSize(sqlite3_file* f) { return M(f).xSectorSize(Real(f)); }
int DeviceCharacteristics(sqlite3_file* f) { return M(f).xDeviceCharacteristics(Real(f)); }
int ShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** p) {
    return M(f).xShmMap(Real(f), region, size, extend, p);
}
int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return M(f).xShmLock(Real(f), offset, n, flags);
}
void ShmBarrier(sqlite3_file* f) { M(f).xShmBarrier(Real(f)); }
int ShmUnmap(sqlite3_file* f, int deleteFlag) { return M(f).xShmUnmap(Real(f), deleteFlag); }
int Fetch(sqlite3_file* f, sqlite3_int64 at, int n, void** p) { return M(f).xFetch(Real(f), at, n, p); }
int Unfetch(sqlite3_file* f, sqlite3_int64 at, void* p) { return M(f).xUnfetch(Real(f), at, p); }

// One table per version of the methods: a file offers the calls of the
// version its default file system gave it, no more.
const sqlite3_io_methods* MethodsFor(int version) {
    static const sqlite3_io_methods methods[3] = {
        {1, Close, Read, Write, Truncate, Sync, FileSize, Lock, Unlock, CheckReservedLock, FileControl,
         SectorSize, DeviceCharacteristics, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
        {2, Close, Read, Write, Truncate, Sync, FileSize, Lock, Unlock, CheckReservedLock, FileControl,
         SectorSize, DeviceCharacteristics, ShmMap, ShmLock, ShmBarrier, ShmUnmap, nullptr, nullptr},
        {3, Close, Read, Write, Truncate, Sync, FileSize, Lock, Unlock, CheckReservedLock, FileControl,
         SectorSize, DeviceCharacteristics, ShmMap, ShmLock, ShmBarrier, ShmUnmap, Fetch, Unfetch},
    };
    return &methods[(version < 1 ? 1 : version > 3 ? 3 : version) - 1];
}

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    File* file = reinterpret_cast<File*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    file->real->pMethods = nullptr;
    const int rc = Real(vfs)->xOpen(Real(vfs), name, file->real, flags, outFlags);
    // SQLite closes a file whose open failed only when it has methods.
    file->base.pMethods = file->real->pMethods ? MethodsFor(file->real->pMethods->iVersion) : nullptr;
    return rc;
}

// A deleted journal's folder is not synced either.
int Delete(sqlite3_vfs* vfs, const char* name, int) { return Real(vfs)->xDelete(Real(vfs), name, 0); }

}  // namespace

void SkipDatabaseSyncs() {
    static std::once_flag once;
    std::call_once(once, [] {
        sqlite3_vfs* real = sqlite3_vfs_find(nullptr);
        static sqlite3_vfs vfs = *real;
        vfs.pNext = nullptr;
        vfs.zName = kNoSyncVfs;
        vfs.pAppData = real;
        vfs.szOsFile = static_cast<int>(sizeof(File)) + real->szOsFile;
        vfs.xOpen = Open;
        vfs.xDelete = Delete;
        // The rest is the default file system's own, called with itself.
        vfs.xAccess = [](sqlite3_vfs* v, const char* name, int flags, int* out) {
            return Real(v)->xAccess(Real(v), name, flags, out);
        };
        vfs.xFullPathname = [](sqlite3_vfs* v, const char* name, int n, char* out) {
            return Real(v)->xFullPathname(Real(v), name, n, out);
        };
        vfs.xDlOpen = [](sqlite3_vfs* v, const char* name) { return Real(v)->xDlOpen(Real(v), name); };
        vfs.xDlError = [](sqlite3_vfs* v, int n, char* out) { Real(v)->xDlError(Real(v), n, out); };
        vfs.xDlSym = [](sqlite3_vfs* v, void* h, const char* sym) {
            return Real(v)->xDlSym(Real(v), h, sym);
        };
        vfs.xDlClose = [](sqlite3_vfs* v, void* h) { Real(v)->xDlClose(Real(v), h); };
        vfs.xRandomness = [](sqlite3_vfs* v, int n, char* out) {
            return Real(v)->xRandomness(Real(v), n, out);
        };
        vfs.xSleep = [](sqlite3_vfs* v, int us) { return Real(v)->xSleep(Real(v), us); };
        vfs.xCurrentTime = [](sqlite3_vfs* v, double* out) { return Real(v)->xCurrentTime(Real(v), out); };
        vfs.xGetLastError = [](sqlite3_vfs* v, int n, char* out) {
            return Real(v)->xGetLastError(Real(v), n, out);
        };
        if (real->iVersion >= 2 && real->xCurrentTimeInt64)
            vfs.xCurrentTimeInt64 = [](sqlite3_vfs* v, sqlite3_int64* out) {
                return Real(v)->xCurrentTimeInt64(Real(v), out);
            };
        if (real->iVersion >= 3) {
            vfs.xSetSystemCall = [](sqlite3_vfs* v, const char* name, sqlite3_syscall_ptr call) {
                return Real(v)->xSetSystemCall(Real(v), name, call);
            };
            vfs.xGetSystemCall = [](sqlite3_vfs* v, const char* name) {
                return Real(v)->xGetSystemCall(Real(v), name);
            };
            vfs.xNextSystemCall = [](sqlite3_vfs* v, const char* name) {
                return Real(v)->xNextSystemCall(Real(v), name);
            };
        }
        sqlite3_vfs_register(&vfs, 1);
    });
}

}  // namespace testsupport
