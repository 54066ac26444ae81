#pragma once
// halvix-cli run as a separate process, as a user runs it: on a private data
// folder (HOME and XDG_DATA_HOME inside home), with home as the working
// directory, so that relative paths land there too.

#include <QtTest>

#include <json/json.h>

struct cli_result {
    int code = -1; // -2: crashed, -3: still running after the time-out (killed)
    QByteArray out;
    QString err;
};

inline Json::Value parse_json(const QByteArray& text) {
    Json::Value v;
    std::unique_ptr<Json::CharReader> r(Json::CharReaderBuilder().newCharReader());
    if (!r->parse(text.constData(), text.constData() + text.size(), &v, nullptr) && !text.isEmpty())
        qWarning("not JSON: %s", text.constData());
    return v;
}

inline Json::Value load_manifest() {
    QFile f(HALVIX_SAMPLES_DIR "/basic.manifest.json");
    return f.open(QIODevice::ReadOnly) ? parse_json(f.readAll()) : Json::Value();
}

inline QProcessEnvironment cli_env(const QString& home) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("XDG_DATA_HOME", home + "/xdg");
    e.insert("HOME", home);
    e.insert("QT_QPA_PLATFORM", "offscreen");
    return e;
}

// One still running after the time-out is killed with p.
inline cli_result cli_finish(QProcess& p, int timeout_ms) {
    cli_result r;
    const bool ended = p.waitForFinished(timeout_ms);
    r.code = !ended ? -3 : p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The built halvix-cli, or the copy at program.
inline cli_result run_cli(const QString& home, const QStringList& args, int timeout_ms = 120000,
                          const QString& program = HALVIX_CLI_PATH) {
    QProcess p;
    p.setProcessEnvironment(cli_env(home));
    p.setWorkingDirectory(home);
    p.start(program, args);
    return cli_finish(p, timeout_ms);
}
