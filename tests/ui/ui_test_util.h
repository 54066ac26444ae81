#pragma once
// Fixtures and helpers for the widget tests: a private data location with a
// fresh database and log, datasets written in code, and access to the
// dialog kit's message boxes without ever blocking.

#include "store/records.h"

#include <QtWidgets>

#include <memory>
#include <string>
#include <vector>

class t_orn_msg_box;

namespace ui_test {

// Points the program's data folder, database and log into dir and creates
// the schema.
void use_private_data_location(const QTemporaryDir& dir);

// Base of the test classes whose cases each need a fresh private data
// location (tmp_); dialogs a failed case left open are closed after it.
class private_data_test : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<QTemporaryDir> tmp_;
protected Q_SLOTS:
    void init();
    void cleanup();
};

struct item_setup {
    int data_type = 1;
    int valid_type = 0;
    int discharge = 0;
    int favorite = 0;
    bool picture = false; // write a 640 x 480 grab.jpg
    QString note;
};

// Writes a dataset directory parent/name with n item directories (each with
// a placeholder Data.dat) and registers it with its rows. Items are named
// "<name>_<i>" with distinct times, newest last. Returns the dataset record.
import_data_info make_dataset(const QString& parent, const QString& name, int n,
                              const std::string& app_name = "TarvoOrnApp",
                              const std::vector<item_setup>& setups = {});

// Locks a directory (nothing in it can be removed, so it cannot be deleted)
// or a file (it cannot be written) while it lives, even for the superuser
// (immutable attribute; permissions for other users), and unlocks it at the
// end. ok() is false when neither works here.
class locked_path {
public:
    explicit locked_path(const QString& path);
    ~locked_path();
    bool ok() const { return ok_; }
    locked_path(const locked_path&) = delete;
    locked_path& operator=(const locked_path&) = delete;

private:
    QString path_;
    QFileDevice::Permissions permissions_;
    bool immutable_ = false;
    bool ok_ = false;
};

// Visible message boxes, newest last.
QList<t_orn_msg_box*> msg_boxes();
// Every label text of every visible message box.
QStringList msg_box_texts();
// Clicks "Confirm" (or "Cancel") of every visible box; returns how many.
int answer_msg_boxes(bool confirm = true);
// Closes every visible top-level widget that deletes itself.
void close_dialogs();

// A visible top-level widget of type T, or null.
template <class T> T* top_level() {
    T* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            if (t->isVisible())
                found = t;
    return found;
}

} // namespace ui_test
