// Prints how long the data detail dialog takes from the double-click (its
// construction) to all four plots and six pictures on screen, for items of
// 25 frames of 7,680 samples, and how many analyses ten quick "Next"
// presses start. Figures only; nothing here fails on timing.

#include "analysis/data_detail_func_obj.h"
#include "analysis/detail/data_detail_widget.h"
#include "detail_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Counts the results as the dialog receives them (queued after the dialog's
// own slots, so a count means the dialog has drawn that result).
struct result_counter {
    int wave = 0, fft = 0, stft = 0, prpd = 0, pics = 0, runs_started = 0;
    bool complete() const { return wave && fft && stft && prpd && pics >= 6; }
};

void watch(data_detail_func_obj* worker, data_detail_widget* dlg, result_counter& c) {
    QObject::connect(worker, &data_detail_func_obj::update_wave, dlg, [&c] { ++c.wave; });
    QObject::connect(worker, &data_detail_func_obj::update_wave_fft, dlg, [&c] { ++c.fft; });
    QObject::connect(worker, &data_detail_func_obj::update_stft, dlg, [&c] { ++c.stft; });
    QObject::connect(worker, &data_detail_func_obj::update_wave_prpd, dlg, [&c] { ++c.prpd; });
    QObject::connect(worker, &data_detail_func_obj::update_pic, dlg,
                     [&c](int, QImage img, bool) { c.pics += img.isNull() ? 0 : 1; });
    QObject::connect(dlg, &data_detail_widget::update_data, dlg, [&c] { ++c.runs_started; });
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
    std::vector<double> delivered, painted, analysis;
    const int rounds = 10;
    for (int r = 0; r < rounds; ++r) {
        const int idx = r % int(fx.items.size());
        result_counter c;
        QElapsedTimer t;
        t.start();
        auto* dlg = new data_detail_widget(&fx.items, idx, 0, worker);
        watch(worker, dlg, c);
        dlg->show();
        if (!wait_until([&c] { return c.complete(); }, 10000)) {
            std::fprintf(stderr, "round %d: results incomplete\n", r);
            return 1;
        }
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
    std::printf("  of which worker analysis run:  median %.1f ms\n", median(analysis));
    std::printf("goal: under 150 ms -> %s\n", median(painted) < 150 ? "met" : "NOT met");

    // Ten quick presses of "Next": records load at once, one analysis runs.
    {
        result_counter c;
        auto* dlg = new data_detail_widget(&fx.items, 0, 0, worker);
        watch(worker, dlg, c);
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

    thread.quit();
    thread.wait();
    return 0;
}
