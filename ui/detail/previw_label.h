#pragma once
// Picture label of the data detail view: the large picture of the shown
// frame, a strip of picture slots for the frames that follow it, and the
// left/right buttons that move the start frame.
// Threading: UI thread only.

#include <QImage>
#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;
class previw_slot;

class previw_label : public QWidget {
    Q_OBJECT
public:
    static constexpr int slot_count = 6;

    explicit previw_label(QWidget* parent = nullptr);

    int pic_num() const { return slot_count; }

    // Image of slot idx (0 .. slot_count - 1); a null image empties the slot.
    void set_slot_image(int idx, const QImage& img);
    QImage slot_image(int idx) const;
    // The large picture, not tied to a slot (the item's own picture).
    void set_preview(const QImage& img);
    // Makes slot idx the large picture; later images of that slot follow.
    void show_slot(int idx);
    QImage preview() const { return m_preview; }
    // Empties the slots and the large picture.
    void clear();
    // Start frame and frame count: the position text and which of the
    // buttons can move further.
    void set_frame_position(int start, int frame_num);

    QPushButton* left_button() const { return m_left; }
    QPushButton* right_button() const { return m_right; }

Q_SIGNALS:
    void move_frame_offset(int offset);

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    void update_highlight();

    QWidget* m_preview_area = nullptr;
    QImage m_preview;
    int m_preview_slot = -1; // slot whose image is the large picture
    QVector<previw_slot*> m_slots;
    QPushButton* m_left = nullptr;
    QPushButton* m_right = nullptr;
    QLabel* m_position = nullptr;
};
