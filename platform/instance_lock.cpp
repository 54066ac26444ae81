#include "platform/instance_lock.h"

#include <QLockFile>
#include <QString>

namespace platform {

instance_lock::instance_lock() = default;
instance_lock::~instance_lock() = default;

bool instance_lock::acquire(const std::wstring& folder, const std::wstring& name) {
    QString path = QString::fromStdWString(folder);
    if (!path.endsWith('/'))
        path += '/';
    path += QString::fromStdWString(name) + QStringLiteral(".lock");
    lock_ = std::make_unique<QLockFile>(path);
    // Never treat a live owner's lock as stale by age; a dead owner's lock
    // (crash, kill) is still recognised by its process id and taken over.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    const bool other_owner = lock_->error() == QLockFile::LockFailedError;
    lock_.reset();
    // A folder that cannot hold the lock must not keep the program from
    // starting at all: only a running owner refuses the start.
    return !other_owner;
}

bool instance_lock::held() const {
    return lock_ && lock_->isLocked();
}

} // namespace platform
