#pragma once
// Base of the program's dialogs: a frameless window that deletes itself when
// closed, is dragged by its 40-pixel title bar and paints its background
// through the style, so style sheets set on it apply. UI thread only.

#include "ui/kit/title_bar_drag.h"

#include <QWidget>

class QPushButton;
class QVBoxLayout;

class t_orn_widget : public QWidget {
    Q_OBJECT
public:
    explicit t_orn_widget(QWidget* parent = nullptr);

    int title_bar_height() const { return drag_.title_height(); }
    bool is_dragging() const { return drag_.dragging(); }

protected:
    // The common frame of a settings-style dialog: title and icon, fixed size,
    // white outlined background for class_name, and a vertical layout without
    // margins holding the blue title bar. Returns the layout; the title bar's
    // close button is handed back for the caller to connect.
    QVBoxLayout* build_dialog_frame(const QString& title, const QSize& size, const char* class_name,
                                    QPushButton** close_button);
    // Appends the right-aligned "Confirm" and "Cancel" buttons (object names
    // "ok" and "cancle", 12 px apart, 36 px from the right edge).
    struct confirm_cancel {
        QPushButton* ok = nullptr;
        QPushButton* cancle = nullptr;
    };
    confirm_cancel add_confirm_cancel_row(QVBoxLayout* layout);

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    // On its first show, a window its creator did not place appears centred
    // over the active window, or on the screen when there is none.
    void showEvent(QShowEvent* e) override;

private:
    title_bar_drag drag_;
    bool shown_once_ = false;
};
