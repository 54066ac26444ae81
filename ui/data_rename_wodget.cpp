#include "ui/data_rename_wodget.h"

#include "store/database.h"
#include "store/name_check.h"
#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/ui_util.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

data_rename_wodget::data_rename_wodget(const std::string& name, QWidget* parent)
    : t_orn_widget(parent), old_name_(QString::fromStdString(name)) {
    setObjectName("data_rename_wodget");
    QPushButton* close = nullptr;
    QVBoxLayout* layout =
        build_dialog_frame(tr("Rename"), QSize(460, 200), "data_rename_wodget", &close);
    connect(close, &QPushButton::clicked, this, &data_rename_wodget::on_close_clicked);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(36, 28, 36, 0);
    row->setSpacing(12);
    auto* label = new QLabel(tr("Dataset name:"), this);
    label->setStyleSheet("QLabel{font:16px;}");
    row->addWidget(label);
    edit_ = new QLineEdit(old_name_, this);
    edit_->setObjectName("name_edit");
    edit_->setMaxLength(max_name_length);
    edit_->setStyleSheet("QLineEdit{font:14px;height:32px;border:2px solid #999999;"
                         "border-radius:6px;padding-left:6px;}");
    edit_->selectAll();
    row->addWidget(edit_, 1);
    layout->addLayout(row);
    layout->addStretch();

    const confirm_cancel buttons = add_confirm_cancel_row(layout);
    connect(buttons.ok, &QPushButton::clicked, this, &data_rename_wodget::on_ok_clicked);
    connect(buttons.cancle, &QPushButton::clicked, this, &data_rename_wodget::on_cancle_clicked);
    edit_->setFocus();
}

void data_rename_wodget::on_ok_clicked() {
    const QString text = edit_->text();
    const QString title = tr("Warning");
    if (text.isEmpty()) {
        show_msg_box(title, tr("The data name cannot be empty!"), 1, 1);
        return;
    }
    if (!is_valid_name(text.toStdWString())) {
        show_msg_box(title, tr("Illegal characters found in the data name! Please modify it."), 1,
                     1);
        return;
    }
    // Keeping the name is no conflict with itself.
    if (text == old_name_) {
        close();
        return;
    }
    if (data_import_db_name_exists(text.toStdWString())) {
        show_msg_box(title, tr("Dataset name already exists! Please modify it."), 1, 1);
        return;
    }
    Q_EMIT data_naw_name(text);
    close();
}

void data_rename_wodget::on_cancle_clicked() {
    close();
}
void data_rename_wodget::on_close_clicked() {
    close();
}

void data_rename_wodget::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        on_ok_clicked();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    t_orn_widget::keyPressEvent(e);
}
