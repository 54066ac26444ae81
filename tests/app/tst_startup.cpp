// The built program as a user meets it: a first start writes the start-up
// lines and creates its files, a second start is refused while the first
// keeps running, and closing writes the shutdown lines.

#include <QtTest>

#include <csignal>

namespace {
QStringList log_messages(const QString& path) {
    QFile f(path);
    QStringList out;
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& l : f.readAll().split('\n'))
            if (l.size() > 20)
                out << QString::fromUtf8(l.mid(20)).trimmed();
    return out;
}

bool matches(const QString& line, const QString& pattern) {
    return QRegularExpression(pattern).match(line).hasMatch();
}

// A termination request closes the program like the user closing its window
// (or the message box it waits in); returns its exit code, -1 when it crashed.
int terminate(QProcess& p) {
    ::kill(static_cast<pid_t>(p.processId()), SIGTERM);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    return p.exitCode();
}
} // namespace

class tst_startup : public QObject {
    Q_OBJECT
    QTemporaryDir home;

    std::unique_ptr<QProcess> start(const QString& data_home = QString()) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", data_home.isEmpty() ? home.path() + "/data" : data_home);
        env.insert("XDG_CONFIG_HOME", home.path() + "/config");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(HALVIX_EXE_PATH, QStringList());
        return p->waitForStarted() ? std::move(p) : nullptr;
    }

private Q_SLOTS:
    void second_start_is_refused() {
        QVERIFY(home.isValid());
        const QString log = home.path() + "/data/Halvix/log/Halvix.txt";
        auto first = start();
        QVERIFY(first);
        QTRY_VERIFY_WITH_TIMEOUT(log_messages(log).contains("Viewer finish"), 60000);

        // The environment's lines (checked with it) come first, then the window's.
        QStringList lines = log_messages(log);
        QCOMPARE(lines.indexOf("###start### Halvix"), 0);
        QVERIFY2(
            matches(lines[5], "^Halvix ver:" + QRegularExpression::escape(HALVIX_VERSION) +
                                  " complie:[A-Z][a-z]{2} [ 0-9]\\d \\d{4} \\d\\d:\\d\\d:\\d\\d$"),
            qPrintable(lines[5]));
        QCOMPARE(lines[6], "app_root " + QFileInfo(HALVIX_EXE_PATH).absolutePath());
        QVERIFY(matches(lines[7], "^lptop:[0-9a-f]+$"));
        QCOMPARE(
            lines.filter(QRegularExpression("^screen_num:1 current_screen:0 \\d+\\*\\d+$")).size(),
            1);
        QCOMPARE(lines.last(), QString("Viewer finish"));
        QVERIFY(QFileInfo(home.path() + "/data/Halvix/config/config.db").isFile());

        // The second copy prepares its environment, then stops at the box;
        // ending the box ends it and leaves the first untouched.
        auto second = start();
        QVERIFY(second);
        QTRY_VERIFY_WITH_TIMEOUT(
            log_messages(log).filter(QRegularExpression("^long_id:[0-9a-f]+ \\d$")).size() == 2,
            60000);
        QTest::qWait(1500);
        QCOMPARE(second->state(), QProcess::Running);
        lines = log_messages(log);
        QCOMPARE(lines.count("Viewer finish"), 1); // no second window
        QCOMPARE(terminate(*second), 0);
        QCOMPARE(first->state(), QProcess::Running);

        // Closing the window writes the shutdown lines; the objects on the
        // worker threads may log their own end between "ready exit" and "exit".
        QCOMPARE(terminate(*first), 0);
        lines = log_messages(log);
        const int ready = lines.lastIndexOf("ready exit");
        QVERIFY(ready > 0);
        QCOMPARE(lines[ready - 1], QString("user exit"));
        QCOMPARE(lines.last(), QString("exit"));

        // With the first copy gone, a new start is accepted again.
        auto third = start();
        QVERIFY(third);
        QTRY_VERIFY_WITH_TIMEOUT(log_messages(log).count("Viewer finish") == 2, 60000);
        QCOMPARE(terminate(*third), 0);
    }

    void data_folder_failure_ends_with_code_one() {
        QTemporaryDir dir;
        QFile blocker(dir.path() + "/blocked");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        auto p = start(dir.path() + "/blocked/data");
        QVERIFY(p);
        // The system message box waits for the user.
        QTest::qWait(1500);
        QCOMPARE(p->state(), QProcess::Running);
        QCOMPARE(terminate(*p), 1);
        QVERIFY(!QFileInfo::exists(dir.path() + "/blocked/data"));
    }
};

QTEST_GUILESS_MAIN(tst_startup)
#include "tst_startup.moc"
