// Hostile data item files: FIFOs and directories where files belong, side
// files too large to read, a zero-length first frame, and a frame walk that
// reads each length once.

#include "analysis/datafile/data_file.h"
#include "platform/text.h"
#include "tests/store/test_log.h"
#include "tools/samplegen/sample_gen.h"

#include <QtTest>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::string orn_header() {
    return "{\"app_name\":\"TarvoOrnApp\",\"app_version\":\"1.0.0.60\",\"beamforming\":{},"
           "\"datetime\":\"2024-03-18 09:00:00\"}";
}

std::vector<uint8_t> small_payload(uint32_t tag) {
    sample_frame_content c;
    c.tag = tag;
    c.counts = {1, -2, 3, -4};
    c.spectrum.assign(768, 0.01f);
    c.picture = {0xff, 0xd8, 0xff, 0xd9};
    return encode_frame_be(c, false);
}

// Runs fn on its own thread; false when it has not returned after 10 s. A
// call blocked on one of the FIFOs is then released by opening them for
// writing, so the test ends either way.
bool returns_promptly(const std::function<void()>& fn, const QStringList& fifos) {
    std::packaged_task<void()> task(fn);
    std::future<void> done = task.get_future();
    std::thread t(std::move(task));
    const bool prompt = done.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        for (const QString& f : fifos) {
            const int fd = ::open(QFile::encodeName(f).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    }
    t.join();
    return prompt;
}

} // namespace

class tst_datafile_faults : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    test_log log;

private Q_SLOTS:
    void initTestCase() { QVERIFY(tmp.isValid()); }

    void non_regular_files_are_refused_at_once_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("fifo");
        for (const char* f : {"Data.dat", "note.json", "data_edit.json"}) {
            QTest::addRow("%s FIFO", f) << QString(f) << true;
            QTest::addRow("%s directory", f) << QString(f) << false;
        }
    }
    void non_regular_files_are_refused_at_once() {
        QFETCH(QString, file);
        QFETCH(bool, fifo);
        const QString dir = tmp.filePath(QString("%1_%2").arg(file).arg(fifo));
        QVERIFY(QDir().mkpath(dir));
        const QString path = dir + "/" + file;
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkpath(path));

        int head = 0, frames = 0, count_rc = 0, note = 0, edit = 0;
        int32_t n = 1, count = -1;
        bool at_end = false;
        data_info d;
        d.data_dir = dir.toStdWString();
        const std::wstring p = path.toStdWString();
        const auto read_all = [&] {
            data_info h;
            std::vector<signal_frame_ptr> v;
            head = read_data_head(p, h);
            frames = read_data_frames(p, 0, n, v, h, at_end);
            count_rc = count_data_frames(p, count);
            note = read_data_note(&p, d);
            edit = read_data_edit(d);
            read_first_picture(p);
        };
        const bool prompt = returns_promptly(read_all, fifo ? QStringList{path} : QStringList());
        QVERIFY2(prompt, "a reader waited for a writer");
        if (file == "Data.dat") {
            QCOMPARE(QVector<int>({head != 0, frames != 0, count_rc != 0, n}),
                     QVector<int>({1, 1, 1, 0}));
        } else if (file == "note.json") {
            QVERIFY(note > 0); // an error number, not "empty" or "invalid JSON"
        } else {
            QVERIFY(edit > 2);
        }
    }

    void side_files_beyond_four_mebibytes_are_not_read_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kib");
        QTest::addColumn<bool>("read");
        QTest::newRow("note.json 3 MiB") << "note.json" << 3 * 1024 << true;
        QTest::newRow("note.json 5 MiB") << "note.json" << 5 * 1024 << false;
        QTest::newRow("data_edit.json 5 MiB") << "data_edit.json" << 5 * 1024 << false;
    }
    void side_files_beyond_four_mebibytes_are_not_read() {
        QFETCH(QString, file);
        QFETCH(int, kib);
        QFETCH(bool, read);
        const QString dir = tmp.filePath(QString("big_%1_%2").arg(file).arg(kib));
        QVERIFY(QDir().mkpath(dir));
        const bool note = file == "note.json";
        const std::string text = std::string(note ? "{\"name\":\"big\",\"note\":\""
                                                  : "{\"data_name\":\"big\",\"data_note\":\"") +
                                 std::string(size_t(kib) * 1024, 'n') + "\"}";
        QCOMPARE(write_text((dir + "/" + file).toStdWString(), text), 0);
        data_info d;
        d.data_dir = dir.toStdWString();
        d.data_name = L"kept";
        const std::wstring path = d.data_dir + L"/note.json";
        const int rc = note ? read_data_note(&path, d) : read_data_edit(d);
        QCOMPARE(QString::fromStdWString(d.data_name) + QString::number(d.data_note.size()),
                 read ? QString("big%1").arg(kib * 1024) : QString("kept0"));
        QCOMPARE(rc == 0, read);
        if (!read)
            QVERIFY(log.text().contains(QString::fromStdWString(d.data_dir)));
    }

    void zero_length_first_frame_is_an_empty_frame() {
        const std::wstring path = tmp.filePath("zero.dat").toStdWString();
        QCOMPARE(write_bytes(path, build_data_dat(orn_header(), {{}, small_payload(7)}, false)), 0);
        // A fresh thread: its payload buffer has never been sized.
        int rc = -1;
        int32_t n = 2;
        uint32_t second_tag = 0;
        int32_t first_samples = -1;
        std::thread([&] {
            std::vector<signal_frame_ptr> frames;
            data_info d;
            bool at_end = false;
            rc = read_data_frames(path, 0, n, frames, d, at_end);
            if (frames.size() == 2) {
                first_samples = frames[0]->sample_num;
                second_tag = frames[1]->tag;
            }
        }).join();
        QCOMPARE(QVector<qint64>({rc, n, first_samples, second_tag}),
                 QVector<qint64>({0, 2, 0, 7}));
    }

    void walk_reads_every_frame_once_in_order() {
        std::vector<std::vector<uint8_t>> payloads;
        for (uint32_t i = 0; i < 70; ++i)
            payloads.push_back(i == 40 ? std::vector<uint8_t>() : small_payload(i));
        const std::wstring path = tmp.filePath("walk.dat").toStdWString();
        QCOMPARE(write_bytes(path, build_data_dat(orn_header(), payloads, false)), 0);

        data_frame_walk walk;
        data_info d;
        QCOMPARE(walk.open(path, d), 0);
        QCOMPARE(d.time, std::string("2024-03-18 09:00:00"));
        std::vector<uint32_t> tags;
        for (;;) {
            std::vector<signal_frame_ptr> frames;
            int32_t n = 32;
            QCOMPARE(walk.next(n, frames), 0);
            QCOMPARE(size_t(n), frames.size());
            for (const auto& f : frames)
                tags.push_back(f->tag);
            if (n < 32 || walk.at_end())
                break;
        }
        QCOMPARE(tags.size(), size_t(70));
        for (uint32_t i = 0; i < 70; ++i)
            QCOMPARE(tags[i], i == 40 ? 0u : i);
        // Each length field was read once: 70 frames and the final look past the end.
        QCOMPARE(walk.lengths_read(), int64_t(71));
    }
};

QTEST_GUILESS_MAIN(tst_datafile_faults)
#include "tst_datafile_faults.moc"
