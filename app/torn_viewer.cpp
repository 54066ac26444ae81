#include "app/torn_viewer.h"

#include "analysis/data_detail_func_obj.h"
#include "app/tasks/orn_func_obj.h"
#include "app/torn_viewer_device.h"
#include "core/app_globals.h"
#include "core/app_log.h"
#include "platform/crash_handler.h"
#include "platform/text.h"
#include "report/report_plot_obj.h"
#include "store/database.h"
#include "ui/data_list_widget.h"
#include "ui/data_tool_bar.h"
#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/lang_setting_widget.h"
#include "ui/tool_bar_strip.h"
#include "ui/ui_util.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

namespace {
const char* const grid_scroll_style =
    "QScrollBar:vertical{width:12px;background:transparent;margin:12px 0 12px 0;}"
    "QScrollBar::handle:vertical{background:#E6E6E6;min-height:40px;border-radius:3px;}"
    "QScrollBar::sub-line:vertical{height:12px;subcontrol-position:top;"
    "subcontrol-origin:margin;border-image:url(:/TOrnViewer/Resources/up0.png);}"
    "QScrollBar::add-line:vertical{height:12px;subcontrol-position:bottom;"
    "subcontrol-origin:margin;border-image:url(:/TOrnViewer/Resources/down0.png);}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}";
} // namespace

TOrnViewer::TOrnViewer(QWidget* parent) : QMainWindow(parent) {
    setWindowIcon(QIcon(QStringLiteral(":/Halvix/Resources/app_logo.png")));

    app_log("%s ver:%s complie:%s %s", app_name_u8.c_str(), app_version.c_str(), __DATE__,
            __TIME__);
    app_log("app_root %s", wide_to_utf8(app_root).c_str());
    const std::uintptr_t previous =
        platform::install_crash_handler(wide_to_utf8(app_data_path) + "log/", &log_fd);
    app_log("lptop:%x", static_cast<unsigned>(previous));

    db_init();
    init_device_link();

    QString title = QString::fromStdWString(app_name);
    if (!app_version.empty())
        title += QStringLiteral(" V") + QString::fromStdString(app_version);
    setWindowTitle(title);

    build_central_widget();

    menu_ = new QMenu(this);
    add_device_menu_actions();
    menu_->setStyleSheet(QString::fromLatin1(kit_style::menu));
    QAction* lang = menu_->addAction(tr("Language setting"));
    connect(lang, &QAction::triggered, this, &TOrnViewer::lang_action_triggered);
    installEventFilter(this);

    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* s : screens)
        connect(s, &QScreen::logicalDotsPerInchChanged, this,
                &TOrnViewer::logical_dots_per_inch_changed);
    QScreen* current = windowHandle() ? windowHandle()->screen() : QGuiApplication::primaryScreen();
    const QRect desktop = current ? current->virtualGeometry() : QRect();
    app_log("screen_num:%d current_screen:%d %d*%d", static_cast<int>(screens.size()),
            static_cast<int>(screens.indexOf(current)), desktop.width(), desktop.height());

    start_threads();
    connect_survey();

    // A sensible size for desktops whose window manager does not maximise.
    screen_fit_timer_ = new QTimer(this);
    screen_fit_timer_->setSingleShot(true);
    connect(screen_fit_timer_, &QTimer::timeout, this, &TOrnViewer::keep_on_screen);
    connect(tool_bar_strip_, &tool_bar_strip::bar_resized, screen_fit_timer_,
            [this] { screen_fit_timer_->start(0); });
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize((avail.size() * 9 / 10).expandedTo(minimumSizeHint()).boundedTo(avail.size()));
        move(avail.center() - rect().center());
    }
    showMaximized();
    word_ok_ = word_availability();
    if (word_ok_ != 0)
        show_msg_box(tr("Warning"),
                     tr("WORD application failed to load. Report generation will not be possible!"),
                     1, 1);
    app_log("Viewer finish");
}

void TOrnViewer::build_central_widget() {
    auto* central = new QWidget(this);
    central->setObjectName("central");
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, Qt::white);
    central->setPalette(pal);
    central->setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addSpacing(16);
    data_list_ = new data_list_widget(central);
    row->addWidget(data_list_);
    row->addSpacing(8);

    auto* browser = new QVBoxLayout;
    browser->setContentsMargins(0, 0, 0, 0);
    browser->setSpacing(0);
    tool_bar_ = new data_tool_bar(central);
    tool_bar_strip_ = new tool_bar_strip(tool_bar_, 60, central);
    browser->addWidget(tool_bar_strip_);
    auto* line = new QFrame(central);
    line->setFixedHeight(1);
    line->setStyleSheet("background:#E2E2E2;height:1px;border:none");
    browser->addWidget(line);

    preview_list_ = new QListWidget(central);
    preview_list_->setObjectName("preview_list");
    preview_list_->setViewMode(QListView::IconMode);
    preview_list_->setResizeMode(QListView::Adjust);
    preview_list_->setMovement(QListView::Static);
    preview_list_->setSpacing(20);
    // Every tile has the same size hint: the layout need not ask each item.
    preview_list_->setUniformItemSizes(true);
    preview_list_->setSelectionMode(QAbstractItemView::NoSelection);
    preview_list_->setFocusPolicy(Qt::NoFocus);
    preview_list_->verticalScrollBar()->setStyleSheet(grid_scroll_style);
    apply_grid_style();
    preview_list_->installEventFilter(this);
    preview_list_->viewport()->installEventFilter(this);
    browser->addWidget(preview_list_, 1);
    row->addLayout(browser, 1);
    outer->addLayout(row);
    setCentralWidget(central);

    // The analysis object serves the detail view; it moves to its thread later.
    detail_obj_ = new data_detail_func_obj();

    connect(data_list_, &data_list_widget::data_list_widget_clicked, this,
            &TOrnViewer::data_list_widget_clicked);
    connect(data_list_, &data_list_widget::import_data_btn_clicked, this,
            &TOrnViewer::on_import_data_btn_clicked);
    connect(data_list_, &data_list_widget::start_import_local_data, this,
            &TOrnViewer::start_import_local_data);
    connect(tool_bar_, &data_tool_bar::gen_report_btn_clicked, this,
            &TOrnViewer::on_gen_report_btn_clicked);
    connect(tool_bar_, &data_tool_bar::delete_btn_clicked, this,
            &TOrnViewer::on_delete_btn_clicked);
    connect(tool_bar_, &data_tool_bar::select_reverse_state_changed, this,
            &TOrnViewer::select_reverse_state_changed);
    connect(tool_bar_, &data_tool_bar::select_all_state_changed, this,
            &TOrnViewer::select_all_state_changed);
    connect(tool_bar_, &data_tool_bar::select_filter_state_changed, this,
            &TOrnViewer::select_filter_state_changed);
    connect(tool_bar_, &data_tool_bar::search_result_change, this,
            &TOrnViewer::data_tool_bar_search_result_change);
    QScrollBar* bar = preview_list_->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, &TOrnViewer::preview_list_scroll_value_change);
    connect(bar, &QScrollBar::rangeChanged, this, &TOrnViewer::preview_list_scroll_range_change);
    connect(bar, &QScrollBar::actionTriggered, this, &TOrnViewer::preview_list_scroll_action);
}

void TOrnViewer::start_threads() {
    analysis_thread_ = new QThread();
    analysis_thread_->setObjectName("analysis");
    detail_obj_->moveToThread(analysis_thread_);
    connect(analysis_thread_, &QThread::finished, detail_obj_, &QObject::deleteLater);
    connect(analysis_thread_, &QThread::finished, analysis_thread_, &QObject::deleteLater);
    analysis_thread_->start();

    worker_ = new orn_func_obj(page_size, detail_obj_);
    connect(worker_, &orn_func_obj::read_one_data_finish, this, &TOrnViewer::read_one_data_finish);
    connect(worker_, &orn_func_obj::read_one_page_finish, this, &TOrnViewer::read_one_page_finish);
    connect(worker_, &orn_func_obj::read_device_data_number, this,
            &TOrnViewer::read_device_data_number);
    connect(this, &TOrnViewer::gen_report, worker_, &orn_func_obj::gen_report);
    connect(this, &TOrnViewer::delete_data_signal, worker_, &orn_func_obj::delete_data);
    connect(this, &TOrnViewer::read_local_data, worker_, &orn_func_obj::read_local_data);
    connect(this, &TOrnViewer::import_device_data, worker_, &orn_func_obj::import_device_data);
    connect(this, &TOrnViewer::start_update_device, worker_, &orn_func_obj::update_device);
    connect(this, &TOrnViewer::import_local_data, worker_, &orn_func_obj::import_local_data);
    connect(worker_, &orn_func_obj::gen_report_finish, this, &TOrnViewer::gen_report_finish);
    connect(worker_, &orn_func_obj::delete_data_finish, this, &TOrnViewer::delete_data_finish);
    connect(worker_, &orn_func_obj::report_one_new_data, this, &TOrnViewer::report_one_new_data);
    connect(worker_, &orn_func_obj::update_device_finish, this, &TOrnViewer::update_device_finish);
    connect(worker_, &orn_func_obj::import_local_data_finish, this,
            &TOrnViewer::import_local_data_finish);

    worker_thread_ = new QThread();
    worker_thread_->setObjectName("worker");
    worker_->moveToThread(worker_thread_);
    connect(worker_thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_thread_, &QThread::finished, worker_thread_, &QObject::deleteLater);
    worker_thread_->start();

    plot_obj_ = new report_plot_obj();
    plot_thread_ = new QThread();
    plot_thread_->setObjectName("plot");
    connect(plot_obj_, &report_plot_obj::update_one_plot, this,
            &TOrnViewer::report_update_one_plot);
    connect(plot_obj_, &report_plot_obj::save_report_plot_finish, this,
            &TOrnViewer::save_report_plot_finish);
    connect(this, &TOrnViewer::save_report_plot, plot_obj_, &report_plot_obj::save_report_plot);
    plot_obj_->moveToThread(plot_thread_);
    connect(plot_thread_, &QThread::finished, plot_obj_, &QObject::deleteLater);
    connect(plot_thread_, &QThread::finished, plot_thread_, &QObject::deleteLater);
    plot_thread_->start();
}

void TOrnViewer::stop_threads() {
    stop_device_link();
    // A report waiting for its pictures would wait for this thread.
    if (worker_)
        worker_->abort_gen_report();
    // The worker first (it feeds the others), then analysis, then plots.
    QThread* threads[] = {worker_thread_, analysis_thread_, plot_thread_};
    for (QThread* t : threads)
        if (t)
            t->quit();
    for (QThread* t : threads)
        if (t)
            t->wait();
    worker_thread_ = nullptr;
    analysis_thread_ = nullptr;
    plot_thread_ = nullptr;
}

TOrnViewer::~TOrnViewer() {
    app_log("ready exit");
    stop_threads();
    app_log("exit");
    log_close();
}

void TOrnViewer::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The layout grows the window when the tool bar shows more boxes.
    if (screen_fit_timer_)
        screen_fit_timer_->start(0);
}

void TOrnViewer::keep_on_screen() {
    // A maximised window counts too: without a window manager nobody makes
    // it as large as the screen, and with one this changes nothing.
    if (isFullScreen() || isMinimized() || !isVisible())
        return;
    QScreen* s = screen();
    if (!s)
        return;
    const QRect avail = s->availableGeometry();
    const QSize frame_extra = frameGeometry().size() - size();
    // Room for the whole tool bar where the screen has it; beyond that the
    // bar scrolls rather than the window growing off the screen.
    const QSize wanted = size() + QSize(tool_bar_strip_->missing_width(), 0);
    const QSize fit = wanted.boundedTo(avail.size() - frame_extra).expandedTo(minimumSize());
    if (fit != size())
        resize(fit);
    const QRect frame(frameGeometry().topLeft(), fit + frame_extra);
    if (!avail.contains(frame)) {
        const QPoint at(avail.x() + std::max(0, (avail.width() - frame.width()) / 2),
                        avail.y() + std::max(0, (avail.height() - frame.height()) / 2));
        move(at);
        app_log("keep_on_screen %d,%d %d*%d", at.x(), at.y(), frame.width(), frame.height());
    }
}

void TOrnViewer::closeEvent(QCloseEvent* event) {
    app_log("user exit");
    QMainWindow::closeEvent(event);
}

bool TOrnViewer::eventFilter(QObject* obj, QEvent* e) {
    if (obj == preview_list_->viewport() && e->type() == QEvent::Wheel) {
        const int dy = static_cast<QWheelEvent*>(e)->angleDelta().y();
        if (dy < 0)
            push_page(true);
        else if (dy > 0)
            push_page(false);
        return false;
    }
    if (obj == this && e->type() == QEvent::ContextMenu) {
        menu_->exec(QCursor::pos());
        return true;
    }
    return QMainWindow::eventFilter(obj, e);
}

void TOrnViewer::lang_action_triggered(bool) {
    auto* dlg = new lang_setting_widget();
    dlg->setWindowModality(Qt::ApplicationModal);
    connect(dlg, &lang_setting_widget::lang_change, this, &TOrnViewer::ui_exit);
    dlg->show();
}

void TOrnViewer::ui_exit() {
    close();
}

void TOrnViewer::logical_dots_per_inch_changed(qreal dpi) {
    app_log("logical_dots_per_inch_changed %.3f %s", static_cast<double>(dpi),
            QString::asprintf("%.2f", static_cast<double>(dpi) / 96.0).toUtf8().constData());
}
