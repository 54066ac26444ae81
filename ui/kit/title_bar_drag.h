#pragma once
// Dragging a frameless window by its title bar, shared by every dialog that
// draws its own title bar. UI thread only.

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

// The drag state machine. A window either forwards its mouse events to it
// (see t_orn_widget) or lets title_bar_drag_filter do that for it.
class title_bar_drag {
public:
    static constexpr int default_title_height = 40;

    explicit title_bar_drag(int title_height = default_title_height)
        : title_height_(title_height) {}

    // A left press whose y lies within the title-bar height starts a drag.
    // Returns true when the press was taken.
    bool press(QWidget* window, const QMouseEvent* e);
    // While dragging, moves the window by the pointer's global movement.
    bool move(QWidget* window, const QMouseEvent* e);
    // Ends a drag; returns true when one was running.
    bool release(const QMouseEvent* e);

    bool dragging() const { return dragging_; }
    int title_height() const { return title_height_; }

private:
    bool dragging_ = false;
    QPoint last_global_;     // pointer position of the last press or move
    QPoint window_top_left_; // where the window is being moved to
    int title_height_;
};

// Event filter variant for windows that derive from another widget class
// (QDialog, QMainWindow): install once and the window drags by its top
// title_height pixels. The filter is a child of the window.
class title_bar_drag_filter : public QObject {
    Q_OBJECT
public:
    static title_bar_drag_filter* install(QWidget* window,
                                          int title_height = title_bar_drag::default_title_height);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    title_bar_drag_filter(QWidget* window, int title_height);
    QWidget* window_;
    title_bar_drag drag_;
};
