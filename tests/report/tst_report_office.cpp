// Produced documents open in an independent office suite: converted to PDF
// headlessly, they keep every page and show the typed values. Skipped when
// no suite is installed.

#include "report_test_util.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class tst_report_office : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

    QString fill(const char* name, const std::vector<report_sample>& items, int lang) {
        const QString out = tmp.filePath(name);
        return fill_report(out, items, lang) == 0 ? out : QString();
    }

    report_sample sample(int index, bool leak, bool chinese) {
        const std::wstring dir = tmp.filePath(QString("item%1").arg(index)).toStdWString();
        write_sample_pictures(dir, !leak, index);
        return make_report_sample(dir, leak, chinese, index);
    }

    static QString run(const QString& program, const QStringList& args, int timeout_ms = 20000) {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(timeout_ms))
            return QString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }

private slots:
    void converts_to_pdf_with_all_values() {
        const QString office = QStandardPaths::findExecutable("soffice");
        if (office.isEmpty())
            QSKIP("no office suite installed");
        word_com_initialize();
        const QString general = fill("general_en.docx", {sample(1, false, false)}, 0);
        // Test results of four lines keep the tester and date on the one page.
        report_sample four_lines = sample(2, true, true);
        four_lines.fields.test_result = L"第一处：法兰\n第二处：阀杆\n第三处：接头\n第四处：管路";
        const QString leak = fill("leak_zh.docx", {four_lines}, 1);
        const QString combined =
            fill("combined_en.docx",
                 {sample(3, false, false), sample(4, true, false), sample(5, false, false)}, 0);

        // A private profile so a running suite or another test never interferes.
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", tmp.filePath("home"));
        p.setProcessEnvironment(env);
        p.start(office,
                {"-env:UserInstallation=file://" + tmp.filePath("profile"), "--headless",
                 "--convert-to", "pdf", "--outdir", tmp.filePath("pdf"), general, leak, combined});
        QVERIFY(p.waitForFinished(90000));
        QCOMPARE(p.exitCode(), 0);
        for (const char* name : {"general_en.pdf", "leak_zh.pdf", "combined_en.pdf"})
            QVERIFY2(QFile::exists(tmp.filePath(QString("pdf/") + name)), name);

        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("converted; pdftotext is not installed to read the pages back");
        auto text = [&](const char* name) {
            return run("pdftotext", {"-layout", tmp.filePath(QString("pdf/") + name), "-"});
        };
        // One page each, with the values typed (the cells themselves are
        // checked by the filler test); the four result lines leave the tester
        // and the date on the leak report's one page.
        const QString g = text("general_en.pdf"), l = text("leak_zh.pdf"),
                      c = text("combined_en.pdf");
        QVERIFY(g.contains("Acoustic Imaging Test Report") &&
                g.contains("Replace the flange gasket"));
        QVERIFY(l.contains(QString::fromUtf8("第四处")) && l.contains(QString::fromUtf8("检测人")));
        QCOMPARE(QVector<int>({g.count('\f'), l.count('\f'), c.count('\f')}),
                 QVector<int>({1, 1, 3}));
        QVERIFY(c.contains("PD-103") && c.contains("Leak-104") && c.contains("PD-105"));
    }
};

QTEST_MAIN(tst_report_office)
#include "tst_report_office.moc"
