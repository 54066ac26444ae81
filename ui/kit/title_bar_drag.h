#pragma once
// Dragging a frameless window by its title bar, shared by every dialog that
// draws its own title bar. UI thread only.

#include <QPoint>

class QMouseEvent;
class QWidget;

// The drag state machine; a window forwards its mouse events to it (see
// t_orn_widget).
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
