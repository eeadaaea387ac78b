#pragma once
// Records every fsync the program makes, by the path of what was synced, for
// the tests of durable writes. Only a test program linked with
// -Wl,--wrap=fsync routes its fsync calls here; the calls still reach the
// system.

#include <string>
#include <vector>

class SyncRecorder {
public:
    SyncRecorder();  // starts with an empty record
    ~SyncRecorder();
    SyncRecorder(const SyncRecorder&) = delete;
    SyncRecorder& operator=(const SyncRecorder&) = delete;

    // The synced paths, in order (folders without a trailing '/').
    const std::vector<std::string>& Paths() const;
};
