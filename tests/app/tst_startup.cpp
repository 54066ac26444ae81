// The built program as a user meets it: a first start writes the start-up
// lines and creates its files, a second start is refused while the first
// keeps running, and closing writes the shutdown lines.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
QStringList log_messages(const QString& path) {
    QFile f(path);
    QStringList out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.size() > 20)
            out << QString::fromUtf8(l.mid(20)).trimmed();
    return out;
}

int count_matching(const QStringList& lines, const QString& pattern) {
    return lines.filter(QRegularExpression(pattern)).size();
}
} // namespace

class tst_startup : public QObject {
    Q_OBJECT
    QTemporaryDir home;

    void prepare(QProcess& p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.path() + "/data");
        env.insert("XDG_CONFIG_HOME", home.path() + "/config");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }

private Q_SLOTS:
    void second_start_is_refused() {
        QVERIFY(home.isValid());
        const QString log = home.path() + "/data/Halvix/log/Halvix.txt";

        QProcess first;
        prepare(first);
        first.start(HALVIX_EXE_PATH, QStringList());
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(log_messages(log).contains("Viewer finish"), 60000);

        // The environment's lines (checked with it) come first, then the window's.
        QStringList lines = log_messages(log);
        QCOMPARE(lines.indexOf("###start### Halvix"), 0);
        QVERIFY2(QRegularExpression("^Halvix ver:" + QRegularExpression::escape(HALVIX_VERSION) +
                                    " complie:[A-Z][a-z]{2} [ 0-9]\\d \\d{4} \\d\\d:\\d\\d:\\d\\d$")
                     .match(lines[5])
                     .hasMatch(),
                 qPrintable(lines[5]));
        QCOMPARE(lines[6], "app_root " + QFileInfo(HALVIX_EXE_PATH).absolutePath());
        QVERIFY(QRegularExpression("^lptop:[0-9a-f]+$").match(lines[7]).hasMatch());
        const int screen = lines.indexOf(QRegularExpression("screen_num:.*"));
        QVERIFY(screen > 7);
        QVERIFY2(QRegularExpression("^screen_num:1 current_screen:0 \\d+\\*\\d+$")
                     .match(lines[screen])
                     .hasMatch(),
                 qPrintable(lines[screen]));
        QCOMPARE(lines.last(), QString("Viewer finish"));
        QVERIFY(QFileInfo(home.path() + "/data/Halvix/config/config.db").isFile());
        QVERIFY(QFileInfo(home.path() + "/data/Halvix/Halvix.lock").isFile());

        // The second copy prepares its environment, then stops at the box.
        QProcess second;
        prepare(second);
        second.start(HALVIX_EXE_PATH, QStringList());
        QVERIFY(second.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(count_matching(log_messages(log), "^long_id:[0-9a-f]+ \\d$") == 2,
                                 60000);
        QTest::qWait(1500);
        QCOMPARE(second.state(), QProcess::Running);
        lines = log_messages(log);
        QCOMPARE(lines.count("Viewer finish"), 1);
        QCOMPARE(count_matching(lines, " ver:"), 1);
        QCOMPARE(first.state(), QProcess::Running);

        // Ending the box ends the second copy; the first is untouched.
        ::kill(static_cast<pid_t>(second.processId()), SIGTERM);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // Closing the window writes the shutdown lines.
        ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        lines = log_messages(log);
        QVERIFY(lines.size() >= 3);
        // The objects on the worker threads may log their own end between
        // "ready exit" and "exit".
        const int ready = lines.lastIndexOf("ready exit");
        QVERIFY(ready > 0);
        QCOMPARE(lines[ready - 1], QString("user exit"));
        QCOMPARE(lines.last(), QString("exit"));

        // With the first copy gone, a new start is accepted again.
        QProcess third;
        prepare(third);
        third.start(HALVIX_EXE_PATH, QStringList());
        QVERIFY(third.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(log_messages(log).count("Viewer finish") == 2, 60000);
        ::kill(static_cast<pid_t>(third.processId()), SIGTERM);
        QVERIFY(third.waitForFinished(30000));
        QCOMPARE(third.exitCode(), 0);
    }

    void data_folder_failure_ends_with_code_one() {
        QTemporaryDir dir;
        QFile blocker(dir.path() + "/blocked");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QProcess p;
        prepare(p);
        QProcessEnvironment env = p.processEnvironment();
        env.insert("XDG_DATA_HOME", dir.path() + "/blocked/data");
        p.setProcessEnvironment(env);
        p.start(HALVIX_EXE_PATH, QStringList());
        QVERIFY(p.waitForStarted());
        // The system message box waits for the user; a termination request
        // closes it like the user would.
        QTest::qWait(1500);
        QCOMPARE(p.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(!QFileInfo::exists(dir.path() + "/blocked/data"));
    }
};

QTEST_GUILESS_MAIN(tst_startup)
#include "tst_startup.moc"
