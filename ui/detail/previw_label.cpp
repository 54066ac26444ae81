#include "ui/detail/previw_label.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

// One picture area: the image fitted into the rectangle with its aspect
// ratio kept, on a dark background that reads as "no picture" when empty.
class previw_slot : public QWidget {
public:
    explicit previw_slot(QWidget* parent) : QWidget(parent) {}

    void set_image(const QImage& img) {
        m_image = img;
        m_scaled = QImage();
        update();
    }
    const QImage& image() const { return m_image; }
    void set_selected(bool on) {
        if (m_selected != on) {
            m_selected = on;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        p.fillRect(r, QColor(42, 44, 54));
        if (!m_image.isNull()) {
            // Scaling a camera picture on every paint is costly; keep the
            // last result for the current size.
            const QSize target = m_image.size().scaled(r.size(), Qt::KeepAspectRatio);
            if (m_scaled.size() != target)
                m_scaled = m_image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const QPoint at(r.x() + (r.width() - target.width()) / 2,
                            r.y() + (r.height() - target.height()) / 2);
            p.drawImage(at, m_scaled);
        }
        if (m_selected) {
            p.setPen(QPen(QColor(71, 120, 199), 3));
            p.drawRect(r.adjusted(1, 1, -2, -2));
        }
    }

private:
    QImage m_image;
    QImage m_scaled;
    bool m_selected = false;
};

static const char* arrow_style =
    "QPushButton{background:#4778C7;color:white;border:none;border-radius:4px;"
    "font:bold 18px;}"
    "QPushButton:hover{background:#5A8AD6;}"
    "QPushButton:disabled{background:#B9C8E2;}";

previw_label::previw_label(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(6);

    auto* big = new previw_slot(this);
    big->setMinimumSize(320, 240);
    big->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_preview_area = big;
    outer->addWidget(big, 1);

    auto* strip = new QHBoxLayout;
    strip->setSpacing(4);
    m_left = new QPushButton(QStringLiteral("\u2039"), this);
    m_right = new QPushButton(QStringLiteral("\u203A"), this);
    for (QPushButton* b : {m_left, m_right}) {
        b->setFixedSize(24, 48);
        b->setStyleSheet(arrow_style);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus);
    }
    m_left->setToolTip(tr("Previous frame"));
    m_right->setToolTip(tr("Next frame"));
    connect(m_left, &QPushButton::clicked, this, [this] { Q_EMIT move_frame_offset(-1); });
    connect(m_right, &QPushButton::clicked, this, [this] { Q_EMIT move_frame_offset(1); });

    strip->addWidget(m_left);
    for (int i = 0; i < slot_count; ++i) {
        auto* s = new previw_slot(this);
        s->setMinimumSize(48, 36);
        s->setFixedHeight(48);
        s->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        s->setCursor(Qt::PointingHandCursor);
        s->installEventFilter(this);
        m_slots.push_back(s);
        strip->addWidget(s, 1);
    }
    strip->addWidget(m_right);
    outer->addLayout(strip);

    m_position = new QLabel(this);
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setStyleSheet(QStringLiteral("QLabel{color:#666666;font:12px;}"));
    outer->addWidget(m_position);
    set_frame_position(0, 0);
}

void previw_label::set_slot_image(int idx, const QImage& img) {
    if (idx < 0 || idx >= m_slots.size())
        return;
    m_slots[idx]->set_image(img);
    if (idx == m_preview_slot) {
        m_preview = img;
        static_cast<previw_slot*>(m_preview_area)->set_image(img);
    }
}

QImage previw_label::slot_image(int idx) const {
    if (idx < 0 || idx >= m_slots.size())
        return QImage();
    return m_slots[idx]->image();
}

void previw_label::set_preview(const QImage& img) {
    m_preview = img;
    static_cast<previw_slot*>(m_preview_area)->set_image(img);
    m_preview_slot = -1;
    update_highlight();
}

void previw_label::show_slot(int idx) {
    if (idx < 0 || idx >= m_slots.size())
        return;
    m_preview_slot = idx;
    m_preview = m_slots[idx]->image();
    static_cast<previw_slot*>(m_preview_area)->set_image(m_preview);
    update_highlight();
}

void previw_label::clear() {
    for (previw_slot* s : m_slots)
        s->set_image(QImage());
    m_preview = QImage();
    static_cast<previw_slot*>(m_preview_area)->set_image(QImage());
    m_preview_slot = -1;
    update_highlight();
}

void previw_label::set_frame_position(int start, int frame_num) {
    m_left->setEnabled(start > 0);
    m_right->setEnabled(start < frame_num - 1);
    if (frame_num > 0)
        m_position->setText(tr("Frame %1 / %2").arg(start + 1).arg(frame_num));
    else
        m_position->setText(QString());
}

bool previw_label::eventFilter(QObject* obj, QEvent* ev) {
    if (ev->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(ev)->button() == Qt::LeftButton) {
        for (int i = 0; i < m_slots.size(); ++i) {
            if (m_slots[i] == obj && !m_slots[i]->image().isNull()) {
                // A click on a later frame shows it large; the start frame
                // (and so what Apply stores) moves only with the arrows.
                show_slot(i);
                return true;
            }
        }
    }
    return QWidget::eventFilter(obj, ev);
}

void previw_label::update_highlight() {
    for (int i = 0; i < m_slots.size(); ++i)
        m_slots[i]->set_selected(i == m_preview_slot);
}
