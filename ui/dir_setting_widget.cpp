#include "ui/dir_setting_widget.h"

#include "core/app_config.h"
#include "core/app_log.h"
#include "ui/kit/kit_style.h"
#include "ui/ui_util.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

dir_setting_widget::dir_setting_widget(const texts& t, std::wstring& field, QWidget* parent)
    : t_orn_widget(parent), texts_(t), field_(field) {
    QPushButton* close = nullptr;
    QVBoxLayout* layout =
        build_dialog_frame(tr("Setting"), QSize(560, 210), "dir_setting_widget", &close);
    // The title bar's close button acts as "Cancel".
    connect(close, &QPushButton::clicked, this, &dir_setting_widget::on_cancle_clicked);

    auto* label_row = new QHBoxLayout;
    label_row->setContentsMargins(36, 24, 36, 8);
    auto* label = new QLabel(t.label, this);
    label->setStyleSheet("QLabel{font:16px;}");
    label_row->addWidget(label);
    layout->addLayout(label_row);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(36, 0, 36, 0);
    row->setSpacing(8);
    edit_ = new QLineEdit(QString::fromStdWString(field_), this);
    edit_->setObjectName("path_edit");
    edit_->setStyleSheet("QLineEdit{font:14px;height:36px;border:2px solid #999999;"
                         "border-radius:8px;padding-left:8px;}");
    row->addWidget(edit_, 1);
    auto* browse = new QPushButton(this);
    browse->setObjectName("explorer_btn");
    browse->setFixedSize(36, 36);
    browse->setCursor(Qt::PointingHandCursor);
    browse->setStyleSheet("QPushButton{border:none;background:transparent;"
                          "image:url(:/TOrnViewer/Resources/path_explorer.png);}");
    row->addWidget(browse);
    layout->addLayout(row);
    layout->addStretch();

    const confirm_cancel buttons = add_confirm_cancel_row(layout);

    connect(buttons.ok, &QPushButton::clicked, this, &dir_setting_widget::on_ok_clicked);
    connect(buttons.cancle, &QPushButton::clicked, this, &dir_setting_widget::on_cancle_clicked);
    connect(browse, &QPushButton::clicked, this, &dir_setting_widget::on_explorer_btn_clicked);
}

bool dir_setting_widget::refuse_empty() {
    if (!edit_->text().isEmpty())
        return false;
    show_msg_box(tr("Warning"), texts_.empty_message, 1, 1);
    return true;
}

void dir_setting_widget::on_explorer_btn_clicked() {
    QString start = QString::fromStdWString(field_);
    if (start.isEmpty())
        start = desktop_dir();
    const QString dir = QFileDialog::getExistingDirectory(nullptr, texts_.chooser_title, start,
                                                          QFileDialog::ShowDirsOnly);
    if (!dir.isEmpty())
        edit_->setText(dir);
}

void dir_setting_widget::on_ok_clicked() {
    if (refuse_empty())
        return;
    const std::wstring text = edit_->text().toStdWString();
    if (text != field_) {
        field_ = text;
        const int rc = write_config();
        if (rc != 0)
            app_log("write_config err:%d", rc);
        app_log("%s", texts_.stored_log);
    } else {
        app_log("%s", texts_.unchanged_log);
    }
    Q_EMIT msg_ok();
    accepted_close_ = true;
    close();
}

void dir_setting_widget::on_cancle_clicked() {
    if (refuse_empty())
        return;
    Q_EMIT msg_cancle();
    accepted_close_ = true;
    close();
}

void dir_setting_widget::closeEvent(QCloseEvent* e) {
    if (!accepted_close_ && refuse_empty()) {
        e->ignore();
        return;
    }
    t_orn_widget::closeEvent(e);
}

set_default_export_path_widget::set_default_export_path_widget(QWidget* parent)
    : dir_setting_widget(
          {tr("Import data save path"), tr("The data save directory cannot be empty!"),
           tr("Import data save path"), "save config export_root", "app_cfg.export_root no change"},
          app_cfg.export_root, parent) {
    setObjectName("set_default_export_path_widget");
}

set_report_path_widget::set_report_path_widget(QWidget* parent)
    : dir_setting_widget({tr("Report generation directory"),
                          tr("The report generation directory cannot be empty!"),
                          tr("Report generation directory"), "save config report_root",
                          "app_cfg.report_root no change"},
                         app_cfg.report_root, parent) {
    setObjectName("set_report_path_widget");
}
