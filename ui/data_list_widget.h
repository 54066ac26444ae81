#pragma once
// The dataset list panel at the left of the main window: every imported
// dataset newest first, its context menu (rename, remove from list, delete,
// open folder, leak survey), the "Data Import" button and directory drops.
// Threading: UI thread only.

#include "store/records.h"

#include <QList>
#include <QUrl>
#include <QWidget>

#include <string>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;

class data_list_widget : public QWidget {
    Q_OBJECT
public:
    explicit data_list_widget(QWidget* parent = nullptr);

    // Rebuilds the rows from the database.
    void update_data_list();
    // Chooses the current row again (the browser reloads it).
    void click_current_row();
    // Forgets the current row (the browser shows a search result).
    void clear_current_item();

    QListWidget* list_widget() const { return list_; }
    QMenu* menu() const { return menu_; }
    QPushButton* import_btn() const { return import_btn_; }
    const std::vector<import_data_info>& datasets() const { return datasets_; }
    int shown_row() const { return shown_row_; }
    int pending_row() const { return pending_row_; }
    const QString& last_import_dir() const { return last_import_dir_; }

Q_SIGNALS:
    void data_list_widget_clicked(import_data_info info);
    void import_data_btn_clicked();
    void start_import_local_data(std::vector<std::wstring> roots);
    // "Leak survey" on a dataset's row.
    void leak_survey_requested(import_data_info info);

public Q_SLOTS:
    void list_widget_rename(bool checked);
    void list_widget_del(bool checked);
    void list_widget_del_from_list(bool checked);
    void data_naw_name(QString name);
    void list_widget_item_clicked(QListWidgetItem* item);
    void on_import_data_btn_clicked();
    void on_import_data_btn_clicked_local_data();
    void list_widget_exporer_folder(bool checked);
    void dataset_delete();
    void dataset_delete_from_list();
    void dataset_delete_cancle();
    void check_local_dir(QList<QUrl>& urls, std::vector<std::wstring>& roots);
    void list_widget_leak_survey(bool checked);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void ask_delete(bool from_disk);
    void delete_pending(bool from_disk);
    void import_urls(QList<QUrl> urls);

    QListWidget* list_ = nullptr;
    QMenu* menu_ = nullptr;
    QPushButton* import_btn_ = nullptr;
    std::vector<import_data_info> datasets_;
    int rename_row_ = -1;
    int pending_row_ = -1;
    int shown_row_ = -1;
    std::string shown_id_; // dataset of the shown row
    QString last_import_dir_;
};
