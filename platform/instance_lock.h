#pragma once
// Keeps a second copy of the program from running: a lock file in the data
// folder, held for the life of the process. A lock left behind by a crashed
// process is taken over. Threading: UI thread only.

#include <memory>
#include <string>

class QLockFile;

namespace platform {

class instance_lock {
public:
    instance_lock();
    ~instance_lock();
    instance_lock(const instance_lock&) = delete;
    instance_lock& operator=(const instance_lock&) = delete;

    // Tries to take "<folder>/<name>.lock". Returns true when this process
    // now holds it or when the lock cannot be made at all (then held() is
    // false), false only when another running process holds it.
    bool acquire(const std::wstring& folder, const std::wstring& name);
    bool held() const;

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace platform
