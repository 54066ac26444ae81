#include "ui/kit/task_progress_widget.h"

#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

namespace {
constexpr int max_bar_text = 127; // the text buffer of the bar holds 127 characters
}

task_progress_widget::task_progress_widget(QWidget* parent) : t_orn_widget(parent) {
    setObjectName(QStringLiteral("task_progress_widget"));
    setFixedSize(500, 120);
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setStyleSheet(kit_style::window_style("task_progress_widget"));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    kit_style::title_bar_parts parts = kit_style::make_title_bar(this, QString());
    title_ = parts.title;
    outer->addWidget(parts.bar);
    connect(parts.close, &QPushButton::clicked, this, &task_progress_widget::on_close_clicked);

    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progress"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(true);
    bar_->setFixedHeight(28);
    bar_->setStyleSheet(QString::fromLatin1(kit_style::progress_bar));
    outer->addStretch(1);
    outer->addWidget(bar_);
    outer->addStretch(1);

    set_texts(tr("Progress"), tr("Processing progress...%.1f%%"), QString());
}

void task_progress_widget::set_texts(const QString& title, const QString& bar_format,
                                     const QString& abort_question) {
    setWindowTitle(title);
    title_->setText(title);
    bar_format_ = bar_format;
    abort_question_ = abort_question;
    bar_->setFormat(format_bar_text(bar_format_, bar_->value()));
}

QString task_progress_widget::format_bar_text(const QString& format, double value) {
    QString out;
    out.reserve(format.size() + 8);
    bool filled = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        // "%[width][.precision]f" takes the value, once.
        int j = i + 1;
        while (j < format.size() && format.at(j).isDigit())
            ++j;
        int precision = 6;
        if (j < format.size() && format.at(j) == QLatin1Char('.')) {
            int k = j + 1;
            while (k < format.size() && format.at(k).isDigit())
                ++k;
            precision = qMin(format.midRef(j + 1, k - j - 1).toInt(), 20);
            j = k;
        }
        if (!filled && j < format.size() && format.at(j) == QLatin1Char('f')) {
            // The number alone goes through printf, so rounding matches the C library.
            char number[max_bar_text + 1];
            std::snprintf(number, sizeof number, "%.*f", precision, value);
            out += QString::fromLatin1(number);
            filled = true;
            i = j;
        } else {
            out += c;
        }
    }
    if (out.size() > max_bar_text)
        out.truncate(max_bar_text);
    return out;
}

void task_progress_widget::update_progress_value(double v) {
    if (std::isnan(v))
        v = 0;
    // Bar and text show the same clamped figure: a task that overshoots
    // must not read "170.0%".
    const double percent = qBound(0.0, v * 100.0, 100.0);
    bar_->setValue(static_cast<int>(percent));
    bar_->setFormat(format_bar_text(bar_format_, percent));
}

void task_progress_widget::on_close_clicked() {
    if (finished_) {
        close();
        return;
    }
    if (abort_question_.isEmpty()) {
        on_msg_box_cancle_clicked();
        return;
    }
    if (question_) { // already asking
        question_->raise();
        question_->activateWindow();
        return;
    }
    auto* box =
        new t_orn_msg_box(nullptr, tr("Prompt").toStdString(), abort_question_.toStdString(),
                          t_orn_msg_box::icon_question, t_orn_msg_box::buttons_confirm_cancel);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &t_orn_msg_box::msg_ok, this, &task_progress_widget::on_msg_box_cancle_clicked);
    question_ = box;
    box->show();
}

void task_progress_widget::on_msg_box_cancle_clicked() {
    if (finished_) { // the task ended while the question was open: nothing to abort
        close();
        return;
    }
    finished_ = true;
    emit_abort();
    close();
}

void task_progress_widget::emit_abort() {
    Q_EMIT task_abort();
}

void task_progress_widget::closeEvent(QCloseEvent* e) {
    if (!finished_) {
        e->ignore();
        on_close_clicked();
        return;
    }
    if (question_)
        question_->close(); // nothing left to abort
    t_orn_widget::closeEvent(e);
}

delete_data_progress_widget::delete_data_progress_widget(QWidget* parent)
    : task_progress_widget(parent) {
    set_texts(tr("Deleting a dataset"), tr("Deleting a dataset...%.1f%%"),
              tr("Confirm to terminate of data deletion?"));
}

void delete_data_progress_widget::delete_data_finish(bool, std::string, bool) {
    set_finished();
    close();
}

import_local_data_progress_widget::import_local_data_progress_widget(QWidget* parent)
    : task_progress_widget(parent) {
    set_texts(tr("Importing local data"), tr("Importing local data...%.1f%%"),
              tr("Confirm to terminate the import?"));
}

void import_local_data_progress_widget::import_finish(bool, std::string) {
    set_finished();
    close();
}

device_update_progress_widget::device_update_progress_widget(QWidget* parent)
    : task_progress_widget(parent) {
    set_texts(tr("Device upgrade"), tr("Upload firmware...%.1f%%"), tr("Device upgrade abort?"));
}

void device_update_progress_widget::update_finish(bool, std::string) {
    set_finished();
    close();
}

report_progress_widget::report_progress_widget(QWidget* parent) : task_progress_widget(parent) {
    set_texts(tr("Generate report"), tr("Report generation in progress...%.1f%%"),
              tr("Confirm termination of report generation?"));
}

void report_progress_widget::gen_report_finish(std::wstring, bool, std::string) {
    set_finished();
    close();
}

void report_progress_widget::emit_abort() {
    Q_EMIT report_abort();
}
