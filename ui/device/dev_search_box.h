#pragma once
// The device search dialog: the known cameras, one row each with its address
// and firmware version and an "Upgrade" button, a search of the network and
// a field for an address read off a camera's screen. The main window owns the
// lists; the dialog shows copies and asks through its signals.
// Threading: UI thread only.

#include "store/records.h"
#include "ui/kit/t_orn_widget.h"

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class dev_search_box : public t_orn_widget {
    Q_OBJECT
public:
    dev_search_box(const std::vector<search_device_info>& dev_vec,
                   const std::vector<device_status_info>& status_vec, const QString& title,
                   QWidget* parent = nullptr);

    // "Device<i+1>: <address>" and, when a status of that address is known,
    // a space and its version text.
    static QString row_text(int index, const search_device_info& dev,
                            const std::vector<device_status_info>& status_vec);

    QListWidget* list() const { return list_; }
    QLineEdit* address_edit() const { return address_; }
    QPushButton* search_button() const { return search_; }
    const std::vector<search_device_info>& devices() const { return devices_; }
    bool searching() const { return searching_; }

Q_SIGNALS:
    void update_device(search_device_info d);
    // The user asks for a search of the network.
    void search_device();
    // The user typed a camera's address (checked, trimmed).
    void add_device(std::string address);

public Q_SLOTS:
    void update_text(std::vector<search_device_info> dev_vec,
                     std::vector<device_status_info> status_vec);
    void on_close_clicked();
    void on_update_btn_clicked();
    void on_search_btn_clicked();
    void on_add_btn_clicked();
    // Shown while a search runs; a search that found nothing says so.
    void set_searching(bool on);

private:
    void add_message_row(const QString& text);

    std::vector<search_device_info> devices_;
    std::vector<device_status_info> status_;
    QListWidget* list_ = nullptr;
    QLineEdit* address_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* search_ = nullptr;
    bool searching_ = false;
    bool searched_ = false;
};
