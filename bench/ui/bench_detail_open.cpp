// Prints how long the data detail dialog takes from the double-click (its
// construction) to all four plots and six pictures on screen, for items of
// 25 frames of 7,680 samples, and how many analyses ten quick "Next"
// presses start. Figures only; nothing here fails on timing.

#include "analysis/data_detail_func_obj.h"
#include "detail_fixture.h"
#include "ui/detail/add_image_widget.h"
#include "ui/detail/data_detail_widget.h"
#include "ui/detail/para_setting_widget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts the worker's results as they reach the UI thread. The counting
// connections exist before the dialog does (it requests its analysis in its
// constructor), so the dialog's own slots may still be queued behind a count;
// the caller delivers those before taking the time.
struct result_counter {
    int wave = 0, fft = 0, stft = 0, prpd = 0, pics = 0, runs_started = 0;
    bool complete() const { return wave && fft && stft && prpd && pics >= 6; }
};

void watch(data_detail_func_obj* worker, QObject* context, result_counter& c) {
    QObject::connect(worker, &data_detail_func_obj::update_wave, context, [&c] { ++c.wave; });
    QObject::connect(worker, &data_detail_func_obj::update_wave_fft, context, [&c] { ++c.fft; });
    QObject::connect(worker, &data_detail_func_obj::update_stft, context, [&c] { ++c.stft; });
    QObject::connect(worker, &data_detail_func_obj::update_wave_prpd, context, [&c] { ++c.prpd; });
    QObject::connect(worker, &data_detail_func_obj::update_pic, context,
                     [&c](int, QImage img, bool) { c.pics += img.isNull() ? 0 : 1; });
}

bool wait_until(const std::function<bool()>& done, int timeout_ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeout_ms) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    register_meta_types();

    detail_fixture fx;
    sample_options o;
    o.items = 12;
    o.writer = 0;
    o.frames = 25;
    o.samples = 7680;
    o.picture_width = 640;
    o.picture_height = 480;
    const std::string err = fx.setup(o);
    if (!err.empty()) {
        std::fprintf(stderr, "fixture: %s\n", err.c_str());
        return 1;
    }

    QThread thread;
    auto* worker = new data_detail_func_obj;
    worker->moveToThread(&thread);
    QObject::connect(&thread, &QThread::finished, worker, &QObject::deleteLater);
    thread.start();

    std::printf("detail dialog, %d frames x %d samples at %d Hz, pictures %dx%d\n", o.frames,
                o.samples, o.fs, o.picture_width, o.picture_height);
    // Items that carry frame pictures (data_type 0).
    std::vector<int> with_pictures;
    for (size_t i = 0; i < fx.items.size(); ++i)
        if (fx.generated(fx.items[i].dir_name).data_type == 0)
            with_pictures.push_back(int(i));
    std::vector<double> delivered, painted, analysis, constructed, shown;
    const int rounds = 10;
    for (int r = 0; r < rounds; ++r) {
        const int idx = with_pictures[size_t(r) % with_pictures.size()];
        result_counter c;
        QObject counting;
        watch(worker, &counting, c);
        QElapsedTimer t;
        t.start();
        auto* dlg = new data_detail_widget(&fx.items, idx, 0, worker);
        constructed.push_back(t.nsecsElapsed() / 1e6);
        dlg->show();
        shown.push_back(t.nsecsElapsed() / 1e6);
        if (!wait_until([&c] { return c.complete(); }, 10000)) {
            std::fprintf(stderr, "round %d: results incomplete\n", r);
            return 1;
        }
        QCoreApplication::sendPostedEvents(); // the dialog's own result slots
        delivered.push_back(t.nsecsElapsed() / 1e6);
        dlg->grab(); // one full paint of everything received
        painted.push_back(t.nsecsElapsed() / 1e6);
        analysis.push_back(worker->last_run().t_total * 1000);
        delete dlg;
    }
    std::printf("open to plots+pictures received: median %.1f ms (min %.1f, max %.1f)\n",
                median(delivered), *std::min_element(delivered.begin(), delivered.end()),
                *std::max_element(delivered.begin(), delivered.end()));
    std::printf("open to plots+pictures painted:  median %.1f ms (min %.1f, max %.1f)\n",
                median(painted), *std::min_element(painted.begin(), painted.end()),
                *std::max_element(painted.begin(), painted.end()));
    std::printf("  dialog built %.1f ms (its analysis requested first), shown %.1f ms, worker "
                "run %.1f ms (medians)\n",
                median(constructed), median(shown), median(analysis));
    std::printf("goal: under 150 ms -> %s\n", median(painted) < 150 ? "met" : "NOT met");

    // Ten quick presses of "Next": records load at once, one analysis runs.
    {
        result_counter c;
        QObject counting;
        watch(worker, &counting, c);
        auto* dlg = new data_detail_widget(&fx.items, 0, 0, worker);
        QObject::connect(dlg, &data_detail_widget::update_data, &counting,
                         [&c] { ++c.runs_started; });
        dlg->show();
        wait_until([&c] { return c.complete(); }, 10000);
        const int runs_before = c.runs_started;
        const int waves_before = c.wave;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 10; ++i)
            dlg->next_button()->click();
        const double press_ms = t.nsecsElapsed() / 1e6;
        wait_until([&c, waves_before] { return c.wave > waves_before; }, 10000);
        const double settle_ms = t.nsecsElapsed() / 1e6;
        wait_until([] { return false; }, 400); // anything late would show up here
        std::printf("ten quick Next presses: %d records loaded in %.1f ms, analyses started: %d, "
                    "analyses delivered: %d, last item's plots after %.1f ms\n",
                    dlg->index(), press_ms, c.runs_started - runs_before, c.wave - waves_before,
                    settle_ms);
        delete dlg;
    }

    // HALVIX_DETAIL_SHOT=<prefix>: pictures of the dialog for a look at it.
    const QByteArray shot = qgetenv("HALVIX_DETAIL_SHOT");
    if (!shot.isEmpty()) {
        detail_fixture mixed;
        sample_options m = o;
        m.writer = -1;
        m.items = 6;
        if (mixed.setup(m).empty()) {
            const int picks[] = {
                mixed.find([](const data_info&, const sample_item& g) {
                    return g.app_type == 0 && !g.gas_leak && g.data_type == 0;
                }),
                mixed.find([](const data_info&, const sample_item& g) { return g.gas_leak; })};
            for (int k = 0; k < 2; ++k) {
                if (picks[k] < 0)
                    continue;
                result_counter c;
                QObject counting;
                watch(worker, &counting, c);
                auto* dlg = new data_detail_widget(&mixed.items, picks[k], 0, worker);
                dlg->resize(1440, 900);
                dlg->show();
                wait_until([&c] { return c.wave && c.fft && c.prpd; }, 10000);
                wait_until([] { return false; }, 200);
                const QString path = QString::fromLocal8Bit(shot) + QString::number(k) + ".png";
                dlg->grab().save(path);
                std::printf("picture: %s\n", qPrintable(path));
                if (k == 1) {
                    dlg->para_button()->click();
                    if (auto* para = dlg->findChild<para_setting_widget*>()) {
                        const QString p = QString::fromLocal8Bit(shot) + "para.png";
                        para->grab().save(p);
                        std::printf("picture: %s\n", qPrintable(p));
                    }
                    dlg->para_change(dlg->record()); // writes the annotated picture
                    const QString p = QString::fromLocal8Bit(shot) + "annotated.jpg";
                    QFile::remove(p);
                    QFile::copy(annotated_picture_path(dlg->record()), p);
                    std::printf("picture: %s\n", qPrintable(p));
                }
                delete dlg;
            }
        }
    }

    thread.quit();
    thread.wait();
    return 0;
}
