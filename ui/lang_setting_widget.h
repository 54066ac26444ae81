#pragma once
// Language dialog: English or Chinese. A changed choice is stored and takes
// effect at the next start; the program ends after the user confirms.
// Threading: UI thread only.

#include "ui/kit/t_orn_widget.h"

class QComboBox;

class lang_setting_widget : public t_orn_widget {
    Q_OBJECT
public:
    explicit lang_setting_widget(QWidget* parent = nullptr);

    QComboBox* combo() const { return combo_; }

Q_SIGNALS:
    void lang_change();

public Q_SLOTS:
    void on_ok_clicked();
    void on_cancle_clicked();
    void on_close_clicked();
    void prompt_ok_clicked();

private:
    QComboBox* combo_ = nullptr;
};
