#pragma once
// Directory settings dialogs: the data save directory ("export_root") and the
// report directory ("report_root"). Both refuse to close while the path is
// empty and write the configuration only on Confirm.
// Threading: UI thread only.

#include "ui/kit/t_orn_widget.h"

#include <string>

class QLineEdit;
class QPushButton;

class dir_setting_widget : public t_orn_widget {
    Q_OBJECT
public:
    QLineEdit* line_edit() const { return edit_; }

Q_SIGNALS:
    void msg_ok();
    void msg_cancle();

public Q_SLOTS:
    void on_ok_clicked();
    void on_cancle_clicked();
    void on_explorer_btn_clicked();

protected:
    struct texts {
        QString label;
        QString empty_message;
        QString chooser_title;
        const char* stored_log;
        const char* unchanged_log;
    };
    // field: the configuration member this dialog edits.
    dir_setting_widget(const texts& t, std::wstring& field, QWidget* parent);

    void closeEvent(QCloseEvent* e) override;

private:
    bool refuse_empty();

    texts texts_;
    std::wstring& field_;
    QLineEdit* edit_ = nullptr;
    bool accepted_close_ = false;
};

class set_default_export_path_widget : public dir_setting_widget {
    Q_OBJECT
public:
    explicit set_default_export_path_widget(QWidget* parent = nullptr);
};

class set_report_path_widget : public dir_setting_widget {
    Q_OBJECT
public:
    explicit set_report_path_widget(QWidget* parent = nullptr);
};
