#pragma once
// Clock synchronisation: each camera's clock beside the computer's, refreshed
// twice a second, and "Synchronization", which hands the device list to the
// worker. A camera's clock comes from its last status poll, moved on by the
// time since that poll, so both clocks tick together.
// Threading: UI thread only.

#include "store/records.h"
#include "ui/kit/t_orn_widget.h"

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class dev_sync_time_box : public t_orn_widget {
    Q_OBJECT
public:
    explicit dev_sync_time_box(const std::vector<search_device_info>& dev_vec,
                               QWidget* parent = nullptr);

    // "Device time:" for a single device, "Device time<address>:" for more.
    static QString device_label(const search_device_info& dev, size_t device_count);
    // The camera's clock at now_seconds (time_util.h) from a status polled at
    // status.poll_time, without milliseconds; the status text cut at its
    // first "." when it is not a time this program reads.
    static QString device_time_text(const device_status_info& status, double now_seconds);

    int device_count() const { return int(devices_.size()); }
    QLineEdit* device_edit(int i) const { return device_edits_.value(i); }
    QLineEdit* computer_edit() const { return computer_edit_; }
    QLabel* result_label() const { return result_; }
    QPushButton* ok_button() const { return ok_; }

Q_SIGNALS:
    void sync_time(std::vector<search_device_info> dev_vec);
    void sync_time_stop();

public Q_SLOTS:
    void on_ok_clicked();
    void on_close_clicked();
    void update_device_status(std::vector<device_status_info> dev_status_vec);
    void timer_timout();
    // The worker's answer to "Synchronization".
    void sync_time_finish(bool success, std::string info);

private:
    std::vector<search_device_info> devices_;
    std::vector<device_status_info> status_;
    QList<QLineEdit*> device_edits_;
    QLineEdit* computer_edit_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* timer_ = nullptr;
};
