// A SQLite file system for the tests' throwaway folders: everything as the
// default one does it, but no file or folder is synced to the disk. The
// database layer asks for a sync at every commit; on a shared disk those
// syncs were most of a test run's time, and a folder deleted after the test
// needs none. Only test executables link it: the program keeps its syncs.
#pragma once

namespace testsupport {

// Makes the no-sync file system SQLite's default for this process (once;
// connections opened before keep theirs).
void SkipDatabaseSyncs();

// The name under which it is registered.
inline constexpr const char* kNoSyncVfs = "tavrina-test-nosync";

}  // namespace testsupport
