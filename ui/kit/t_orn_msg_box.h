#pragma once
// The program's message box: every question, warning and notice. Created on
// the heap without parent, shown (usually application-modal); it deletes
// itself when closed. UI thread only.

#include "ui/kit/t_orn_widget.h"

#include <string>

class QLabel;
class QPushButton;

class t_orn_msg_box : public t_orn_widget {
    Q_OBJECT
public:
    enum icon_kind { icon_info = 0, icon_warn = 1, icon_question = 2, icon_critical = 3 };
    // buttons: 1 and 2 show "Confirm" only; any other value "Confirm" and "Cancel".
    enum button_set { buttons_confirm_cancel = 0, buttons_confirm = 1 };

    // title and text are UTF-8; icon is an icon_kind, any other value shows none.
    t_orn_msg_box(QWidget* parent, const std::string& title, const std::string& text, int icon,
                  int buttons);

    // Resource path of the image for an icon value; empty for "no image".
    static QString icon_path(int icon);

Q_SIGNALS:
    void msg_ok();
    void msg_cancle();
    void msg_close();

public Q_SLOTS:
    void on_ok_clicked();
    void on_cancle_clicked();
    void on_close_clicked();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool answered_ = false; // a button was used; a close without one reports msg_close
    QLabel* icon_label_ = nullptr;
    QLabel* text_label_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancle_ = nullptr;
};
