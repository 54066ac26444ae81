#include "ui/lang_setting_widget.h"

#include "core/app_config.h"
#include "core/app_log.h"
#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/ui_util.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

lang_setting_widget::lang_setting_widget(QWidget* parent) : t_orn_widget(parent) {
    setObjectName("lang_setting_widget");
    QPushButton* close = nullptr;
    QVBoxLayout* layout =
        build_dialog_frame(tr("Language setting"), QSize(460, 210), "lang_setting_widget", &close);
    connect(close, &QPushButton::clicked, this, &lang_setting_widget::on_close_clicked);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(36, 32, 36, 0);
    row->setSpacing(12);
    auto* label = new QLabel(tr("Language:"), this);
    label->setStyleSheet("QLabel{font:16px;}");
    row->addWidget(label);
    combo_ = new QComboBox(this);
    combo_->setObjectName("lang_combo");
    combo_->setStyleSheet("QComboBox{font:14px;height:32px;border:2px solid #999999;"
                          "border-radius:6px;padding-left:8px;}");
    combo_->addItem(tr("English"), 0);
    combo_->addItem(tr("Chinese"), 1);
    combo_->setCurrentIndex(app_cfg.lang == 1 ? 1 : 0);
    row->addWidget(combo_, 1);
    layout->addLayout(row);
    layout->addStretch();

    const confirm_cancel buttons = add_confirm_cancel_row(layout);
    connect(buttons.ok, &QPushButton::clicked, this, &lang_setting_widget::on_ok_clicked);
    connect(buttons.cancle, &QPushButton::clicked, this, &lang_setting_widget::on_cancle_clicked);
}

void lang_setting_widget::on_ok_clicked() {
    const int lang = combo_->currentData().toInt();
    if (lang == app_cfg.lang)
        return;
    app_cfg.lang = lang;
    app_log("app_cfg.lang:%d", lang);
    const int rc = write_config();
    app_log("write_config_rtn:%d", rc);
    t_orn_msg_box* box = show_msg_box(
        tr("Prompt"),
        tr("Language setting success,please restart the software.Click \"Confirm\" to exit the "
           "software."),
        1, 1);
    connect(box, &t_orn_msg_box::msg_ok, this, &lang_setting_widget::prompt_ok_clicked);
}

void lang_setting_widget::prompt_ok_clicked() {
    Q_EMIT lang_change();
    close();
}

void lang_setting_widget::on_cancle_clicked() {
    close();
}
void lang_setting_widget::on_close_clicked() {
    close();
}
