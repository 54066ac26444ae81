#pragma once
// Dialog that asks for a dataset's new name (at most 30 characters) and
// checks it before handing it on. Created per use; deletes itself on close.
// Threading: UI thread only.

#include "ui/kit/t_orn_widget.h"

#include <string>

class QLineEdit;
class QPushButton;

class data_rename_wodget : public t_orn_widget {
    Q_OBJECT
public:
    static constexpr int max_name_length = 30;

    // name: the dataset's current name in UTF-8.
    explicit data_rename_wodget(const std::string& name, QWidget* parent = nullptr);

    QLineEdit* line_edit() const { return edit_; }

Q_SIGNALS:
    void data_naw_name(QString name);

public Q_SLOTS:
    void on_ok_clicked();
    void on_cancle_clicked();
    void on_close_clicked();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLineEdit* edit_ = nullptr;
    QString old_name_;
};
