// Paths, directories, silent file operations, time texts and name checks.

#include "platform/text.h"
#include "store/file_util.h"
#include "store_fixture.h"

#include <QDateTime>
#include <QtTest>

#include <cerrno>
#include <tuple>

class tst_file_util : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void existence_and_size() {
        store_fixture fx;
        QVERIFY(write_bytes(fx.path("f.bin"), QByteArray(1234, 'x')));
        QVERIFY(write_bytes(fx.path("empty"), QByteArray()));
        // Path, exists, is a directory, size (-1: none, a directory included).
        const std::tuple<QString, bool, bool, int> cases[] = {{fx.path("f.bin"), true, false, 1234},
                                                              {fx.path("empty"), true, false, 0},
                                                              {fx.path("nope"), false, false, -1},
                                                              {fx.path(), true, true, -1},
                                                              {"", false, false, -1}};
        for (const auto& [path, exists, dir, size] : cases) {
            QCOMPARE(path_exists(path.toStdWString()), exists);
            QCOMPARE(dir_exists(path.toStdWString()), dir);
            QCOMPARE(file_size(path.toStdWString()), size);
        }
        std::string version;
        QCOMPARE(query_file_version(fx.wpath("nope"), version), ENOENT);
    }

    void create_directories_walks_the_path() {
        store_fixture fx;
        QDir().mkpath(fx.path("a"));
        QCOMPARE(create_directories(fx.wpath("a/b/c")), 0);
        QVERIFY(write_bytes(fx.path("a/b/c/keep.txt"), "keep"));
        QCOMPARE(create_directories(fx.wpath("a/b/c")), 0); // existing: nothing happens
        QCOMPARE(create_directories(fx.wpath("x/y/")), 0);
        QCOMPARE(create_directories(fx.wpath("中文/目录")), 0);
        // A backslash belongs to the directory's name.
        QCOMPARE(create_directories(fx.wpath("p\\q/r")), 0);
        // A file in the way stops the walk with the system's error.
        QCOMPARE(create_directories(fx.wpath("a/b/c/keep.txt/d")), ENOTDIR);
        QCOMPARE(fx.tree(), QStringList({"a/", "a/b/", "a/b/c/", "a/b/c/keep.txt=keep", "p\\q/",
                                         "p\\q/r/", "x/", "x/y/", "中文/", "中文/目录/"}));
    }

    void split_path_at_last_separator() {
        // Path, directory, name: only "/" separates; a backslash is part of a
        // name; no separator gives nothing.
        const std::wstring cases[][3] = {
            {L"/data/set/item/Data.dat", L"/data/set/item", L"Data.dat"},
            {L"/data/parent\\sub/myset", L"/data/parent\\sub", L"myset"},
            {L"a/b\\c/d", L"a/b\\c", L"d"},
            {L"C:\\x\\y.dat", L"", L""},
            {L"plain.txt", L"", L""},
            {L"/d/", L"/d", L""}};
        for (const auto& c : cases) {
            std::wstring dir = L"old", name = L"old";
            QCOMPARE(split_path(c[0], dir, name), 0);
            QCOMPARE(dir, c[1]);
            QCOMPARE(name, c[2]);
        }
    }

    void list_subdirectories_cases() {
        store_fixture fx;
        QVERIFY(write_bytes(fx.path("files/a.txt"), "a"));
        QVERIFY(write_bytes(fx.path("files/b.txt"), "b"));
        std::vector<std::wstring> out;
        QCOMPARE(list_subdirectories(fx.wpath("files"), out), 0);
        QVERIFY(out.empty());
        QCOMPARE(list_subdirectories(fx.wpath("missing"), out), ENOENT);
        QCOMPARE(list_subdirectories(fx.wpath("files/a.txt"), out), ENOTDIR);
        QVERIFY(out.empty());

        QDir().mkpath(fx.path("set/item1"));
        QDir().mkpath(fx.path("set/数据2"));
        QDir().mkpath(fx.path("set/.hidden"));
        QVERIFY(write_bytes(fx.path("set/file.dat"), "x"));
        out.push_back(L"kept");
        QCOMPARE(list_subdirectories(fx.wpath("set"), out), 0);
        std::sort(out.begin() + 1, out.end());
        std::vector<std::wstring> want{L"kept", fx.wpath("set/item1"), fx.wpath("set/数据2")};
        std::sort(want.begin() + 1, want.end());
        QCOMPARE(out, want);
    }

    void copy_rename_delete() {
        store_fixture fx;
        QVERIFY(write_bytes(fx.path("src/a.txt"), "A"));
        QVERIFY(write_bytes(fx.path("src/sub/b.txt"), "B"));
        // A tree to a new place, then into an existing directory under its own name.
        QCOMPARE(copy_path(fx.wpath("src"), fx.wpath("copy")), 0);
        QDir().mkpath(fx.path("into"));
        QCOMPARE(copy_path(fx.wpath("src"), fx.wpath("into")), 0);
        // A file into an existing directory, replacing an older copy.
        QVERIFY(write_bytes(fx.path("into/a.txt"), "old"));
        QCOMPARE(copy_path(fx.wpath("src/a.txt"), fx.wpath("into")), 0);
        // A tree copied into itself is refused instead of recursing.
        QCOMPARE(copy_path(fx.wpath("src"), fx.wpath("src/sub")), EINVAL);
        QCOMPARE(rename_path(fx.wpath("copy"), fx.wpath("moved")), 0);
        // Never replaces what is there.
        QCOMPARE(rename_path(fx.wpath("moved"), fx.wpath("src")), EEXIST);
        QCOMPARE(fx.tree(), QStringList({"into/", "into/a.txt=A", "into/src/", "into/src/a.txt=A",
                                         "into/src/sub/", "into/src/sub/b.txt=B", "moved/",
                                         "moved/a.txt=A", "moved/sub/", "moved/sub/b.txt=B", "src/",
                                         "src/a.txt=A", "src/sub/", "src/sub/b.txt=B"}));
        QCOMPARE(delete_path(fx.wpath("moved")), 0);
        QCOMPARE(delete_path(fx.wpath("src/a.txt")), 0);
        QCOMPARE(fx.tree().filter(QRegularExpression("^(moved|src)")),
                 QStringList({"src/", "src/sub/", "src/sub/b.txt=B"}));
    }

    void failures_are_logged() {
        store_fixture fx;
        const QString a = fx.path("missing");
        const QString b = fx.path("target");
        QCOMPARE(rename_path(a.toStdWString(), b.toStdWString()), ENOENT);
        QCOMPARE(copy_path(a.toStdWString(), b.toStdWString()), ENOENT);
        QCOMPARE(delete_path(a.toStdWString()), ENOENT);
        const QString log = fx.log_text();
        QCOMPARE(log.count(QString("rename_file err:%1 %2,%3").arg(ENOENT).arg(a, b)), 2);
        QVERIFY(log.contains(QString("rename_file err:%1\r\n").arg(ENOENT)));
        QVERIFY(!QFileInfo::exists(b));
    }

    void time_texts() {
        const local_time t{2024, 1, 29, 14, 28, 35, 42};
        QCOMPARE(time_stamp_name(t), std::string("20240129_142835_042"));
        QCOMPARE(time_stamp_text(t), std::string("2024-01-29 14:28:35.042"));
        const QDateTime local(QDate(2024, 1, 29), QTime(14, 28, 35, 42), Qt::LocalTime);
        QCOMPARE(now_seconds(t), local.toMSecsSinceEpoch() / 1000.0);
        QVERIFY(qAbs(now_seconds() - QDateTime::currentMSecsSinceEpoch() / 1000.0) < 5.0);
    }

    void name_checks() {
        for (const char* bad : {"a/b", "x?", "a\\b", "c:", "*", "q\"", "<", ">", "p|"}) {
            QVERIFY2(!is_valid_name(std::string(bad)), bad);
            QVERIFY2(!is_valid_name(utf8_to_wide(bad)), bad);
        }
        for (const char* good : {"a b", "v1.2.data", "泄漏 点", ""}) {
            QVERIFY2(is_valid_name(std::string(good)), good);
            QVERIFY2(is_valid_name(utf8_to_wide(good)), good);
        }
    }
};

QTEST_GUILESS_MAIN(tst_file_util)
#include "tst_file_util.moc"
