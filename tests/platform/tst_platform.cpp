// Platform layer: text encodings, scaling text, calendar arithmetic of the crash
// handler, atomic file replacement (also on a full disk), reading only
// regular files, the keep-awake request, and in child processes: a crash
// leaves a log line and a dump file, a lock left by a killed process is taken
// over.

#include "full_disk.h"
#include "platform/atomic_file.h"
#include "platform/crash_handler.h"
#include "platform/instance_lock.h"
#include "platform/keep_awake.h"
#include "platform/regular_file.h"
#include "platform/shell.h"
#include "platform/system_info.h"
#include "platform/text.h"

#include <QtDBus>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <sys/stat.h>

namespace {
QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}
} // namespace

// Stands in for the desktop's screen saver on a private bus.
class fake_screen_saver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    int inhibits = 0;
    uint released_cookie = 0;
public Q_SLOTS:
    uint Inhibit(const QString&, const QString&) {
        ++inhibits;
        return 4242;
    }
    void UnInhibit(uint cookie) { released_cookie = cookie; }
};

class tst_platform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void text_encodings() {
        QCOMPARE(platform::utf8_to_wide(std::string()), std::wstring());
        QCOMPARE(platform::wide_to_utf8(std::wstring()), std::string());
        // Chinese, a character outside the basic plane, and an embedded NUL
        // survive both directions byte for byte.
        const std::string text("\xe5\xb1\x80\xe9\x83\xa8 \xf0\x9f\x98\x80 a\0b", 15);
        const std::wstring wide = platform::utf8_to_wide(text);
        QCOMPARE(wide, std::wstring(L"\u5c40\u90e8 \U0001F600 a\0b", 8));
        QCOMPARE(platform::wide_to_utf8(wide), text);
        // Bytes that are no UTF-8 (a Latin-1 name, a stray continuation byte,
        // a sequence cut at the end, an encoded surrogate) are kept one by
        // one: they go back to the same bytes and are shown as U+FFFD.
        const std::string odd("caf\xe9 x\x80y \xed\xb2\x80 \xe5\xb1");
        const std::wstring kept = platform::utf8_to_wide(odd);
        QCOMPARE(platform::wide_to_utf8(kept), odd);
        QCOMPARE(platform::display_text(kept),
                 std::wstring(L"caf\uFFFD x\uFFFDy \uFFFD\uFFFD\uFFFD \uFFFD\uFFFD"));
        // A wide text that holds no character writes a replacement character.
        QCOMPARE(platform::wide_to_utf8(std::wstring(1, wchar_t(0xD800))),
                 std::string("\xef\xbf\xbd"));
    }

    void scale_factor_text_rule() {
        QCOMPARE(platform::scale_factor_text(1.0), std::string()); // no scaling at 100 %
        QCOMPARE(platform::scale_factor_text(1.25), std::string("1.25"));
        QCOMPARE(platform::scale_factor_text(2.0), std::string("2.00"));
        // Here the toolkit scales by itself: nothing is set.
        QCOMPARE(platform::screen_scale_ratio(), 1.0);
        qunsetenv("QT_SCALE_FACTOR");
        QCOMPARE(platform::apply_screen_scaling(), std::string());
        QVERIFY(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
    }

    void folders_follow_xdg() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + "/data"));
        QCOMPARE(QString::fromStdWString(platform::common_data_folder()), dir.path() + "/data");
        int err = -1;
        const std::wstring exe = platform::executable_path(&err);
        QCOMPARE(err, 0);
        QCOMPARE(QString::fromStdWString(exe), QCoreApplication::applicationFilePath());
        QCOMPARE(platform::program_version(), std::string(HALVIX_VERSION));
    }

    // The crash handler's own date arithmetic must agree with the C library
    // across leap years, month ends and the years around 2000.
    void civil_time_matches_library() {
        std::vector<long long> samples = {0,          59,         86399,      86400,
                                          951782400,  951868800,  978307199,  1706538515,
                                          1709164800, 4102444799, 4107542400, 253402300799LL};
        for (long long s = 0; s < 4102444800LL; s += 86400LL * 37 + 3607)
            samples.push_back(s);
        for (long long s : samples) {
            const std::time_t t = static_cast<std::time_t>(s);
            std::tm tm{};
            gmtime_r(&t, &tm);
            int f[6];
            platform::civil_from_seconds(s, f);
            const int want[6] = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                                 tm.tm_hour,        tm.tm_min,     tm.tm_sec};
            if (!std::equal(f, f + 6, want))
                QFAIL(qPrintable(QString("time differs at %1").arg(s)));
        }
    }

    void atomic_replace() {
        QTemporaryDir dir;
        const QString path = dir.path() + "/config.json";
        QCOMPARE(platform::write_file_atomic(path.toStdString(), "first\n"), 0);
        QCOMPARE(platform::write_file_atomic(path.toStdString(), "second"), 0);
        QCOMPARE(contents(path), QByteArray("second"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"config.json"});

        // A missing directory fails cleanly and leaves nothing behind.
        const QString missing = dir.path() + "/none/config.json";
        QCOMPARE(platform::write_file_atomic(missing.toStdString(), "x"), ENOENT);
        // A directory in the way is not replaced by a file.
        QVERIFY(QDir(dir.path()).mkdir("taken"));
        QVERIFY(platform::write_file_atomic((dir.path() + "/taken").toStdString(), "x") != 0);
        QVERIFY(QFileInfo(dir.path() + "/taken").isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"config.json"});
    }

    void atomic_replace_on_a_full_disk_keeps_the_old_file() {
        QTemporaryDir dir;
        full_disk disk(dir.filePath("disk"));
        const QString path = disk.path() + "/note.json";
        QCOMPARE(platform::write_file_atomic(path.toStdString(), "old"), 0);
        // Through a symbolic link the file it names is replaced; the link stays.
        const QString link = dir.filePath("link.json");
        QVERIFY(QFile::link(path, link));
        QVERIFY(disk.fill());
        const int rc = platform::write_file_atomic(link.toStdString(), std::string(8192, 'n'));
        disk.release();
        QVERIFY2(rc == ENOSPC || rc == EFBIG, disk.name());
        QCOMPARE(contents(path), QByteArray("old"));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files), QStringList{"note.json"});
        QCOMPARE(platform::write_file_atomic(link.toStdString(), "new"), 0);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(contents(path), QByteArray("new"));
    }

    void only_regular_files_are_read_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("error");
        QTest::newRow("FIFO") << "fifo" << EINVAL;
        QTest::newRow("directory") << "dir" << EISDIR;
        QTest::newRow("missing") << "missing" << ENOENT;
        QTest::newRow("over the bound") << "big" << EFBIG;
        QTest::newRow("at the bound") << "fits" << 0;
    }
    void only_regular_files_are_read() {
        QFETCH(QString, kind);
        QFETCH(int, error);
        QTemporaryDir dir;
        const std::string path = QFile::encodeName(dir.filePath("f")).toStdString();
        if (kind == "fifo")
            QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
        else if (kind == "dir")
            QVERIFY(QDir().mkpath(dir.filePath("f")));
        else if (kind != "missing")
            QCOMPARE(platform::write_file_atomic(path, std::string(kind == "big" ? 101 : 100, 'x')),
                     0);
        std::string out = "stale";
        int64_t size = -1;
        QCOMPARE(platform::read_regular_file(path, 100, out, &size), error);
        QCOMPARE(out.size(), error ? size_t(0) : size_t(100));
        if (kind == "big")
            QCOMPARE(size, int64_t(101));
        int open_error = -1;
        std::FILE* f = platform::open_regular_file(path, &open_error);
        QCOMPARE(f != nullptr, kind == "big" || kind == "fits");
        QCOMPARE(open_error, f ? 0 : error);
        if (f)
            std::fclose(f);
    }

    // What the system cannot give is no reason to stop: a lock that cannot be
    // made lets the program start, no bus means no keep-awake request, and a
    // missing path is not opened.
    void fallbacks_when_the_system_cannot_help() {
        platform::instance_lock lock;
        QVERIFY(lock.acquire(L"/proc/no-such-dir", L"Halvix"));
        QVERIFY(!lock.held());
        QDBusConnection none(QStringLiteral("halvix-no-bus"));
        QVERIFY(!none.isConnected());
        QVERIFY(!platform::keep_awake(none, QStringLiteral("test")).active());
        QCOMPARE(platform::open_directory(L"/no/such/dir"), ENOENT);
        QCOMPARE(platform::open_directory(L""), ENOENT);
        QCOMPARE(platform::reveal_in_file_manager(L"/no/such/file"), ENOENT);
    }

    void keep_awake_asks_and_releases() {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            QSKIP("dbus-daemon not installed");
        QTemporaryDir dir;
        const QString conf = dir.path() + "/bus.conf";
        QCOMPARE(platform::write_file_atomic(
                     conf.toStdString(),
                     QString("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                             "<auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                         .arg(dir.path())
                         .toStdString()),
                 0);
        QProcess bus;
        bus.start(daemon, {"--config-file=" + conf, "--print-address=1", "--nofork"});
        if (!bus.waitForStarted() || !bus.waitForReadyRead(10000))
            QSKIP("a private message bus could not be started here");
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        QVERIFY(!address.isEmpty());

        // The screen saver lives on the program's own connection: the calls
        // still go by name to the service that owns it.
        fake_screen_saver saver;
        QDBusConnection bus_connection = QDBusConnection::connectToBus(address, "halvix-test");
        QVERIFY(bus_connection.registerObject("/org/freedesktop/ScreenSaver", &saver,
                                              QDBusConnection::ExportAllSlots));
        QVERIFY(bus_connection.registerService("org.freedesktop.ScreenSaver"));
        {
            platform::keep_awake guard(bus_connection, QStringLiteral("test"));
            QVERIFY(guard.active());
            QCOMPARE(saver.inhibits, 1);
            QCOMPARE(saver.released_cookie, 0u);
        }
        QCOMPARE(saver.released_cookie, 4242u);
        bus_connection.unregisterObject("/org/freedesktop/ScreenSaver");
        QDBusConnection::disconnectFromBus("halvix-test");
        bus.kill();
        bus.waitForFinished();
    }

    void crash_leaves_dump_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("code");
        QTest::newRow("null pointer") << "segv" << int(SIGSEGV) << "b";
        QTest::newRow("stack overflow") << "overflow" << int(SIGSEGV) << "b";
        QTest::newRow("stack overflow on a worker thread")
            << "thread-overflow" << int(SIGSEGV) << "b";
        QTest::newRow("abort") << "abort" << int(SIGABRT) << "6";
    }
    void crash_leaves_dump() {
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(QString, code);
        QTemporaryDir dir;
        QProcess child;
        // The sanitizer build's own handler must leave the crash to ours.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") +
                                       ":handle_segv=0:handle_sigbus=0:allow_user_segv_handler=1");
        child.setProcessEnvironment(env);
        // No core file on machines that keep them: the dump is what is checked.
        child.start("/bin/sh",
                    {"-c", "ulimit -c 0; exec \"$0\" \"$@\"", CRASH_HELPER_PATH, dir.path(), mode});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), signal);

        const QList<QByteArray> lines = contents(dir.path() + "/log/Halvix.txt").split('\n');
        QVERIFY(lines.size() >= 3);
        QVERIFY(lines[0].endsWith("] helper ready\r"));
        const QByteArray crash_line = lines[1];
        QVERIFY2(QRegularExpression(
                     "^\\[\\d{6} \\d{6}\\.\\d{3}\\] UnhandledExcepFilter code:" + code + "\r$")
                     .match(QString::fromLatin1(crash_line))
                     .hasMatch(),
                 crash_line.constData());

        const QStringList dumps = QDir(dir.path() + "/log").entryList({"*.dmp"}, QDir::Files);
        QCOMPARE(dumps.size(), 1);
        QVERIFY2(QRegularExpression("^\\d{8}_\\d{6}_\\d{3}\\.dmp$").match(dumps[0]).hasMatch(),
                 qPrintable(dumps[0]));
        const QByteArray text = contents(dir.path() + "/log/" + dumps[0]);
        QVERIFY2(text.startsWith("signal: " + QByteArray::number(signal) + " "), text.constData());
        QVERIFY(
            QRegularExpression("\nthread: [1-9]\\d*\n").match(QString::fromUtf8(text)).hasMatch());
        const int bt = text.indexOf("backtrace:\n");
        QVERIFY(bt > 0);
        // At least a few frames, one of them inside the helper itself.
        QVERIFY(text.mid(bt).count('\n') >= 4);
        QVERIFY2(text.mid(bt).contains("platform_crash_helper"), text.constData());
    }

    void stale_lock_is_taken_over() {
        QTemporaryDir dir;
        QProcess holder;
        holder.start(CRASH_HELPER_PATH, {dir.path(), "lock"});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        platform::instance_lock while_running, other;
        QVERIFY(!while_running.acquire(dir.path().toStdWString(), L"Halvix"));
        QVERIFY(!while_running.held());
        QVERIFY(other.acquire(dir.path().toStdWString(), L"Other")); // another name, another lock

        holder.kill(); // SIGKILL: the lock file stays behind
        QVERIFY(holder.waitForFinished());
        QVERIFY(QFile::exists(dir.path() + "/Halvix.lock"));
        platform::instance_lock after_crash;
        QVERIFY(after_crash.acquire(dir.path().toStdWString(), L"Halvix"));
        QVERIFY(after_crash.held());
    }
};

QTEST_GUILESS_MAIN(tst_platform)
#include "tst_platform.moc"
