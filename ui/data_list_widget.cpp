#include "ui/data_list_widget.h"

#include "core/app_log.h"
#include "platform/text.h"
#include "store/database.h"
#include "store/file_util.h"
#include "store/local_dir_check.h"
#include "ui/data_rename_wodget.h"
#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/ui_util.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleOption>
#include <QVBoxLayout>

namespace {
const char* const list_style =
    "QListWidget{color:black;font:20px;background:transparent;border:none;outline:0px;}"
    "QListWidget::item{color:black;}"
    "QListWidget::item:selected{background:#E5F3FF;}"
    "QListWidget::item:selected:active{background:#E5F3FF;}";
const char* const scroll_style =
    "QScrollBar:vertical{width:16px;background:transparent;margin:16px 0 16px 0;}"
    "QScrollBar::handle:vertical{background:#E6E6E6;min-height:40px;border-radius:4px;}"
    "QScrollBar::sub-line:vertical{height:16px;subcontrol-position:top;"
    "subcontrol-origin:margin;border-image:url(:/TOrnViewer/Resources/up0.png);}"
    "QScrollBar::add-line:vertical{height:16px;subcontrol-position:bottom;"
    "subcontrol-origin:margin;border-image:url(:/TOrnViewer/Resources/down0.png);}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}";
} // namespace

data_list_widget::data_list_widget(QWidget* parent) : QWidget(parent) {
    setObjectName("data_list_widget");
    setStyleSheet("background:white;");
    setMaximumWidth(260);
    setAcceptDrops(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* header = new QHBoxLayout;
    header->setSpacing(0);
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(":/TOrnViewer/Resources/dataset.png")
                        .scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon->setStyleSheet("padding-top:12px;");
    header->addWidget(icon);
    header->addSpacing(6);
    auto* title = new QLabel(tr("Datasets"), this);
    title->setStyleSheet("font:24px;padding-top:12px");
    header->addWidget(title);
    header->addStretch();
    import_btn_ = new QPushButton(tr("Data Import"), this);
    import_btn_->setObjectName("import_data_btn");
    import_btn_->setFixedSize(88, 33);
    import_btn_->setCursor(Qt::PointingHandCursor);
    QFont button_font = import_btn_->font();
    button_font.setPixelSize(13);
    import_btn_->setFont(button_font);
    import_btn_->setStyleSheet(
        "QPushButton{background:rgb(30,117,217);border:1px solid #FFFFFF;color:white;}");
    header->addWidget(import_btn_);
    layout->addLayout(header);
    layout->addSpacing(4);

    list_ = new QListWidget(this);
    list_->setObjectName("data_list");
    list_->setIconSize(QSize(40, 40));
    list_->setStyleSheet(list_style);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->verticalScrollBar()->setStyleSheet(scroll_style);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    layout->addWidget(list_);

    menu_ = new QMenu(this);
    menu_->setStyleSheet(QString::fromLatin1(kit_style::menu));
    QAction* rename = menu_->addAction(tr("Rename"));
    QAction* remove = menu_->addAction(tr("Remove from list"));
    QAction* del = menu_->addAction(tr("Delete"));
    QAction* open = menu_->addAction(tr("Open folder location"));
    connect(rename, &QAction::triggered, this, &data_list_widget::list_widget_rename);
    connect(remove, &QAction::triggered, this, &data_list_widget::list_widget_del_from_list);
    connect(del, &QAction::triggered, this, &data_list_widget::list_widget_del);
    connect(open, &QAction::triggered, this, &data_list_widget::list_widget_exporer_folder);
    menu_->addSeparator();
    QAction* survey = menu_->addAction(tr("Leak survey"));
    survey->setObjectName(QStringLiteral("leak_survey_action"));
    connect(survey, &QAction::triggered, this, &data_list_widget::list_widget_leak_survey);

    connect(list_, &QListWidget::itemClicked, this, &data_list_widget::list_widget_item_clicked);
    connect(import_btn_, &QPushButton::clicked, this,
            &data_list_widget::on_import_data_btn_clicked_local_data);
    update_data_list();
}

void data_list_widget::update_data_list() {
    list_->clear();
    datasets_ = data_import_db_select_all();
    // Rows move when datasets come or go: the shown row follows its dataset.
    shown_row_ = -1;
    for (size_t i = 0; i < datasets_.size(); ++i)
        if (!shown_id_.empty() && datasets_[i].id == shown_id_)
            shown_row_ = static_cast<int>(i);
    if (datasets_.empty())
        return;
    const QIcon icon(QPixmap(":/TOrnViewer/Resources/folder.png")
                         .scaled(36, 36, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    for (const import_data_info& d : datasets_) {
        const QString name = QString::fromStdWString(d.name);
        auto* item = new QListWidgetItem(icon, name);
        item->setToolTip(name);
        list_->addItem(item);
    }
}

void data_list_widget::click_current_row() {
    Q_EMIT list_->clicked(list_->currentIndex());
}

void data_list_widget::clear_current_item() {
    list_->setCurrentRow(-1);
}

void data_list_widget::list_widget_item_clicked(QListWidgetItem* item) {
    if (!item)
        return;
    const int row = list_->row(item);
    if (row < 0 || row >= static_cast<int>(datasets_.size()))
        return;
    Q_EMIT data_list_widget_clicked(datasets_[row]);
    shown_row_ = row;
    shown_id_ = datasets_[row].id;
}

bool data_list_widget::eventFilter(QObject* obj, QEvent* e) {
    if ((obj == list_ || obj == list_->viewport()) && e->type() == QEvent::ContextMenu) {
        if (list_->count() > 0)
            menu_->exec(QCursor::pos());
        return true;
    }
    return QWidget::eventFilter(obj, e);
}

void data_list_widget::list_widget_rename(bool) {
    if (!list_->currentItem())
        return;
    rename_row_ = list_->currentRow();
    if (rename_row_ < 0 || rename_row_ >= static_cast<int>(datasets_.size()))
        return;
    auto* dlg = new data_rename_wodget(wide_to_utf8(datasets_[rename_row_].name));
    connect(dlg, &data_rename_wodget::data_naw_name, this, &data_list_widget::data_naw_name);
    dlg->setWindowModality(Qt::ApplicationModal);
    dlg->show();
}

void data_list_widget::data_naw_name(QString name) {
    app_log("data_list_widget::data_naw_name");
    if (rename_row_ < 0 || rename_row_ >= static_cast<int>(datasets_.size()))
        return;
    import_data_info& rec = datasets_[rename_row_];
    std::wstring root = rec.local_root;
    while (root.size() > 1 && root.back() == L'/')
        root.pop_back();
    std::wstring parent, old_dir_name;
    split_path(root, parent, old_dir_name);
    const std::wstring new_root = parent + L"/" + name.toStdWString();
    // The record must keep pointing at a directory that exists: when the
    // directory cannot be renamed nothing is changed.
    if (new_root != root && rename_path(root, new_root) != 0) {
        show_msg_box(tr("Warning"),
                     tr("The dataset directory could not be renamed! Please check that it "
                        "exists and is not in use."),
                     1, 1);
        return;
    }
    import_data_info renamed = rec;
    renamed.name = name.toStdWString();
    renamed.local_root = new_root;
    const int rc = data_import_db_rename(renamed);
    if (rc != 0) {
        // The record would point at a directory that no longer exists: the
        // directory goes back where the database still has it.
        const int back = new_root != root ? rename_path(new_root, root) : 0;
        app_log("data_naw_name db err:%d, directory moved back err:%d", rc, back);
        const QString text =
            back == 0 ? tr("The dataset could not be renamed in the database (error %1)! "
                           "Nothing was changed.")
                            .arg(rc)
                      : tr("The dataset could not be renamed in the database (error %1), and "
                           "its directory could not be moved back! It is now at: %2")
                            .arg(rc)
                            .arg(QString::fromStdWString(new_root));
        show_msg_box(tr("Warning"), text, 1, 1);
        return;
    }
    rec = renamed;
    if (QListWidgetItem* item = list_->item(rename_row_)) {
        item->setText(name);
        item->setToolTip(name);
    }
    if (shown_row_ >= 0 && shown_row_ == rename_row_)
        Q_EMIT data_list_widget_clicked(rec);
}

void data_list_widget::list_widget_del_from_list(bool) {
    ask_delete(false);
}
void data_list_widget::list_widget_del(bool) {
    ask_delete(true);
}

void data_list_widget::ask_delete(bool from_disk) {
    if (!list_->currentItem())
        return;
    pending_row_ = list_->currentRow();
    const QString text =
        from_disk ? tr("Confirm deletion of a dataset? The dataset is not recoverable after "
                       "deletion!")
                  : tr("Confirm to delete a dataset from the list?");
    t_orn_msg_box* box = show_msg_box(tr("Deleting a dataset"), text, 1, 1);
    if (from_disk)
        connect(box, &t_orn_msg_box::msg_ok, this, &data_list_widget::dataset_delete);
    else
        connect(box, &t_orn_msg_box::msg_ok, this, &data_list_widget::dataset_delete_from_list);
    connect(box, &t_orn_msg_box::msg_cancle, this, &data_list_widget::dataset_delete_cancle);
    connect(box, &t_orn_msg_box::msg_close, this, &data_list_widget::dataset_delete_cancle);
}

void data_list_widget::dataset_delete_cancle() {
    pending_row_ = -1;
}
void data_list_widget::dataset_delete() {
    delete_pending(true);
}
void data_list_widget::dataset_delete_from_list() {
    delete_pending(false);
}

void data_list_widget::delete_pending(bool from_disk) {
    if (pending_row_ < 0 || pending_row_ >= static_cast<int>(datasets_.size()))
        return;
    const import_data_info rec = datasets_[pending_row_];
    int rc = 0;
    if (from_disk)
        rc = delete_path(rec.local_root);
    if (rc != 0 && dir_exists(rec.local_root)) {
        // What is left on disk stays registered, so the user can still find
        // it, open its folder and try again.
        pending_row_ = -1;
        app_log("dataset_delete %s %d", wide_to_utf8(rec.name).c_str(), rc);
        show_msg_box(tr("Warning"),
                     tr("The dataset directory could not be deleted (error %1)! The dataset "
                        "stays in the list.\n%2")
                         .arg(rc)
                         .arg(QString::fromStdWString(rec.local_root)),
                     1, 1);
        return;
    }
    data_import_db_delete(rec.id);
    data_list_db_delete_dataset(rec.id);
    click_current_row();
    update_data_list();
    pending_row_ = -1;
    app_log("dataset_delete %s %d", wide_to_utf8(rec.name).c_str(), rc);
}

void data_list_widget::list_widget_exporer_folder(bool) {
    const int row = list_->currentRow();
    if (!list_->currentItem() || row < 0 || row >= static_cast<int>(datasets_.size()))
        return;
    open_folder_location(datasets_[row].local_root, "list_widget_exporer_folder %s");
}

void data_list_widget::list_widget_leak_survey(bool) {
    const int row = list_->currentRow();
    if (!list_->currentItem() || row < 0 || row >= static_cast<int>(datasets_.size()))
        return;
    app_log("list_widget_leak_survey %s", wide_to_utf8(datasets_[row].name).c_str());
    Q_EMIT leak_survey_requested(datasets_[row]);
}

void data_list_widget::on_import_data_btn_clicked() {
    Q_EMIT import_data_btn_clicked();
}

void data_list_widget::on_import_data_btn_clicked_local_data() {
    QString start = last_import_dir_;
    if (start.isEmpty())
        start = desktop_dir();
    const QString dir = QFileDialog::getExistingDirectory(
        nullptr, tr("Select the data root directory"), start, QFileDialog::ShowDirsOnly);
    if (dir.isEmpty())
        return;
    const int cut = dir.lastIndexOf('/');
    if (cut > 0)
        last_import_dir_ = dir.left(cut);
    app_log("import_path:%s", last_import_dir_.toUtf8().constData());
    import_urls({QUrl::fromLocalFile(dir)});
}

void data_list_widget::import_urls(QList<QUrl> urls) {
    std::vector<std::wstring> roots;
    check_local_dir(urls, roots);
    if (!roots.empty())
        Q_EMIT start_import_local_data(roots);
}

void data_list_widget::check_local_dir(QList<QUrl>& urls, std::vector<std::wstring>& roots) {
    const local_dir_check result = ::check_local_dir(urls, roots);
    if (result != local_dir_check::accepted)
        show_msg_box(tr("Prompt"), local_dir_check_message(result), 1, 1);
}

void data_list_widget::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasFormat("text/uri-list"))
        e->acceptProposedAction();
}

void data_list_widget::dragMoveEvent(QDragMoveEvent* e) {
    if (e->mimeData()->hasFormat("text/uri-list"))
        e->acceptProposedAction();
}

void data_list_widget::dropEvent(QDropEvent* e) {
    const QList<QUrl> urls = e->mimeData()->urls();
    if (urls.isEmpty())
        return;
    e->acceptProposedAction();
    import_urls(urls);
}

void data_list_widget::paintEvent(QPaintEvent*) {
    QStyleOption opt;
    opt.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, this);
}
