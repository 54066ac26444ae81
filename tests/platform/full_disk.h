#pragma once
// A directory on a file system that can be made full, for the fault tests.
// When this process may mount, a small tmpfs is mounted on the directory and
// filled with a filler file; otherwise the file size limit (RLIMIT_FSIZE,
// SIGXFSZ ignored) stands in while the disk is "full": no file may grow past
// the room given. Every test says which of the two it used.

#include <QtCore>

#include <csignal>
#include <sys/resource.h>

class full_disk {
public:
    enum mode { tmpfs, size_limit };

    // Prepares dir (created when missing); tries a tmpfs of `bytes` there.
    explicit full_disk(const QString& dir, qint64 bytes = 4 << 20) : dir_(dir) {
        QDir().mkpath(dir_);
        if (!QStandardPaths::findExecutable(QStringLiteral("mount")).isEmpty() &&
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"),
                               dir_}) == 0)
            mode_ = tmpfs;
        qInfo("full disk by %s", name());
    }
    ~full_disk() {
        release();
        if (mode_ == tmpfs &&
            QProcess::execute(QStringLiteral("umount"), {dir_}) != 0) // still in use: detach
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), dir_});
    }
    full_disk(const full_disk&) = delete;
    full_disk& operator=(const full_disk&) = delete;

    mode used() const { return mode_; }
    const char* name() const {
        return mode_ == tmpfs ? "a full tmpfs" : "the file size limit (RLIMIT_FSIZE)";
    }
    const QString& path() const { return dir_; }

    // From now on at most `room` more bytes fit: the tmpfs is filled up to
    // that, or no file may grow past `room` bytes. False when that failed.
    bool fill(qint64 room = 0) {
        if (mode_ == size_limit) {
            std::signal(SIGXFSZ, SIG_IGN);
            if (!limited_ && getrlimit(RLIMIT_FSIZE, &old_) != 0)
                return false;
            rlimit l = old_;
            l.rlim_cur = rlim_t(room);
            limited_ = setrlimit(RLIMIT_FSIZE, &l) == 0;
            return limited_;
        }
        QFile filler(dir_ + QStringLiteral("/.filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        // Free the room again (tmpfs gives pages back on truncation).
        const qint64 size = filler.size() - (room + 4095) / 4096 * 4096;
        filler.close();
        return filler.resize(qMax<qint64>(size, 0));
    }
    // Space back / limit lifted.
    void release() {
        if (limited_)
            setrlimit(RLIMIT_FSIZE, &old_);
        limited_ = false;
        QFile::remove(dir_ + QStringLiteral("/.filler"));
    }

private:
    QString dir_;
    mode mode_ = size_limit;
    rlimit old_{};
    bool limited_ = false;
};
