#pragma once
// Progress dialogs of the long worker tasks. The worker reports progress as a
// double in [0, 1] through queued signals; the dialog asks before aborting a
// running task and closes without asking once the task has finished.
// UI thread only.

#include "ui/kit/t_orn_widget.h"

#include <QPointer>
#include <QString>
#include <string>

class QLabel;
class QProgressBar;
class t_orn_msg_box;

class task_progress_widget : public t_orn_widget {
    Q_OBJECT
public:
    explicit task_progress_widget(QWidget* parent = nullptr);

    bool is_finished() const { return finished_; }

    // Fills a printf-style bar format holding one "%.Nf" (or "%f") and any
    // number of "%%" with value. Other conversions stay as written, so a
    // faulty translation cannot break the text. At most 127 characters.
    static QString format_bar_text(const QString& format, double value);

Q_SIGNALS:
    void task_abort();

public Q_SLOTS:
    virtual void update_progress_value(double v);
    virtual void on_close_clicked();
    virtual void on_msg_box_cancle_clicked();

protected:
    // Subclasses set their translated window title, bar format and abort
    // question here (from their constructor). An empty question aborts
    // without asking.
    void set_texts(const QString& title, const QString& bar_format, const QString& abort_question);
    // Called when the user confirmed the abort; emits task_abort. A dialog
    // with a signal of its own overrides this.
    virtual void emit_abort();
    // Marks the task as done: a later close asks nothing.
    void set_finished() { finished_ = true; }

    void closeEvent(QCloseEvent* e) override;

    QProgressBar* bar() const { return bar_; }

private:
    bool finished_ = false;
    QString bar_format_;
    QString abort_question_;
    QLabel* title_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPointer<t_orn_msg_box> question_; // the open abort question, if any
};

class delete_data_progress_widget : public task_progress_widget {
    Q_OBJECT
public:
    explicit delete_data_progress_widget(QWidget* parent = nullptr);

public Q_SLOTS:
    void delete_data_finish(bool ok, std::string msg, bool removed);
};

class import_local_data_progress_widget : public task_progress_widget {
    Q_OBJECT
public:
    explicit import_local_data_progress_widget(QWidget* parent = nullptr);

public Q_SLOTS:
    void import_finish(bool ok, std::string msg);
};

class device_update_progress_widget : public task_progress_widget {
    Q_OBJECT
public:
    explicit device_update_progress_widget(QWidget* parent = nullptr);

public Q_SLOTS:
    void update_finish(bool ok, std::string msg);
};

// The report's progress: aborting emits report_abort (not task_abort).
class report_progress_widget : public task_progress_widget {
    Q_OBJECT
public:
    explicit report_progress_widget(QWidget* parent = nullptr);

Q_SIGNALS:
    void report_abort();

public Q_SLOTS:
    void gen_report_finish(std::wstring target_root, bool success, std::string info);

protected:
    void emit_abort() override;
};
