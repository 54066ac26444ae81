#include "ui/preview_item_widget.h"

#include "analysis/datafile/data_file.h"
#include "analysis/picture_file.h"
#include "core/app_log.h"
#include "platform/text.h"
#include "store/file_util.h"
#include "ui/detail/data_detail_widget.h"
#include "ui/kit/kit_style.h"
#include "ui/ui_util.h"

#include <QBuffer>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

tile_picture::tile_picture(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
}

void tile_picture::set_source(const std::wstring& data_dir) {
    source_ = data_dir;
    loaded_ = false;
    image_ = QImage();
    scaled_ = QPixmap();
    update();
}

void tile_picture::set_image(const QImage& img) {
    loaded_ = true;
    image_ = img;
    scaled_ = QPixmap();
    update();
}

const QImage& tile_picture::image() {
    if (!loaded_) {
        loaded_ = true;
        image_ = load_tile_picture(source_);
    }
    return image_;
}

void tile_picture::paintEvent(QPaintEvent*) {
    if (image().isNull())
        return;
    // Scaled once per size: the grid repaints often while a page fills.
    const QSize target = size() * devicePixelRatioF();
    if (scaled_.size() != target) {
        scaled_ = QPixmap::fromImage(
            image_.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        scaled_.setDevicePixelRatio(devicePixelRatioF());
    }
    QPainter p(this);
    p.drawPixmap(0, 0, scaled_);
}

namespace {
// Reads with the decoder scaling down as it decodes: a JPEG decoded at a
// quarter of its size costs a fraction of the full decode.
QImage read_scaled(QImageReader& reader, QSize target) {
    const QSize full = reader.size();
    if (full.isValid() && full.width() > target.width() && full.height() > target.height()) {
        QSize s = full.scaled(target, Qt::KeepAspectRatioByExpanding);
        reader.setScaledSize(s);
    }
    QImage img;
    if (!reader.read(&img))
        return QImage();
    return img;
}
} // namespace

QImage load_tile_picture(const std::wstring& data_dir, QSize target) {
    QByteArray data = read_picture_bytes(data_dir + L"/grab.jpg");
    std::vector<uint8_t> first;
    if (data.isEmpty()) {
        first = read_first_picture(data_dir + L"/Data.dat");
        if (first.empty())
            return QImage();
        data = QByteArray::fromRawData(reinterpret_cast<const char*>(first.data()),
                                       static_cast<int>(first.size()));
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return read_scaled(reader, target);
}

QString tile_time_text(const std::string& time) {
    QString t = QString::fromStdString(time);
    // Only a milliseconds part is cut: a plain "yyyy-MM-dd HH:mm:ss" keeps its seconds.
    if (t.size() > 19)
        t.chop(4);
    if (t.size() > 4)
        t[4] = '/';
    if (t.size() > 7)
        t[7] = '/';
    return t;
}

preview_item_widget::preview_item_widget(std::vector<data_info>* data_vec, int idx,
                                         data_detail_func_obj* detail_obj, int pass_value,
                                         QWidget* parent)
    : QWidget(parent), data_vec_(data_vec), idx_(idx), detail_obj_(detail_obj),
      pass_value_(pass_value) {
    if (data_vec_ && idx_ >= 0 && idx_ < static_cast<int>(data_vec_->size()))
        data_ = (*data_vec_)[idx_];
    setObjectName("preview_item_widget");
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    picture_ = new tile_picture(this);
    layout->addWidget(picture_);
    check_box_ = new QCheckBox(this);
    // Fonts and palettes rather than per-tile style sheets: a page builds
    // 100 tiles and parsing a sheet per widget would dominate that.
    QFont font = check_box_->font();
    font.setPixelSize(12);
    check_box_->setFont(font);
    // One row height for every name, whatever script it is in: a Chinese
    // name (taller fallback glyphs) must not shrink its tile's picture.
    check_box_->setFixedHeight(name_row_height(check_box_));
    check_box_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    check_box_->installEventFilter(this);
    set_name_text(QString::fromStdWString(data_.data_name));
    layout->addWidget(check_box_);
    time_label_ = new QLabel(tile_time_text(data_.time), this);
    time_label_->setObjectName("time_label");
    QPalette pal = time_label_->palette();
    pal.setColor(QPalette::WindowText, Qt::gray);
    time_label_->setPalette(pal);
    QFont time_font = font;
    time_font.setPixelSize(11);
    time_label_->setFont(time_font);
    layout->addWidget(time_label_);

    picture_->set_source(data_.data_dir);
    if (data_.data_type == 0) {
        play_label_ = new QLabel(picture_);
        play_label_->setFixedSize(50, 50);
        static const QPixmap play =
            QPixmap(":/TOrnViewer/Resources/preview_play.png")
                .scaled(50, 50, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        play_label_->setPixmap(play);
        play_label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    picture_->installEventFilter(this);
    installEventFilter(this);
}

bool preview_item_widget::is_checked() const {
    return check_box_->isChecked();
}
void preview_item_widget::set_checked(bool checked) {
    check_box_->setChecked(checked);
}

void preview_item_widget::set_name_text(const QString& name) {
    name_ = name;
    check_box_->setToolTip(name);
    elide_name();
}

void preview_item_widget::elide_name() {
    // The text room of the box at its present width, after the indicator.
    QStyleOptionButton opt;
    opt.initFrom(check_box_);
    const int room =
        check_box_->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, check_box_).width();
    const QString shown =
        room > 0 ? check_box_->fontMetrics().elidedText(name_, Qt::ElideRight, room) : name_;
    if (check_box_->text() != shown)
        check_box_->setText(shown);
}

int preview_item_widget::name_row_height(const QCheckBox* box) {
    static int height = 0;
    if (height == 0) {
        // Latin, Chinese and descenders in one sample.
        QCheckBox sample(QString::fromUtf8("Agjy\u4e3b\u53d8\u538b\u5668"));
        sample.setFont(box->font());
        height = std::max(
            sample.sizeHint().height(),
            QFontMetrics(box->font()).boundingRect(QString::fromUtf8("Agjy\u4e3b\u53d8")).height() +
                2);
    }
    return height;
}
void preview_item_widget::set_time_text(const QString& time) {
    time_label_->setText(time);
}

void preview_item_widget::reload_picture() {
    if (regular_file_exists(data_.data_dir + L"/grab.jpg"))
        picture_->set_source(data_.data_dir);
}

bool preview_item_widget::eventFilter(QObject* obj, QEvent* e) {
    if (obj == this && e->type() == QEvent::ContextMenu) {
        // Built on first use: most tiles never open their menu.
        if (!menu_) {
            menu_ = new QMenu(this);
            menu_->setStyleSheet(QString::fromLatin1(kit_style::menu));
            QAction* open = menu_->addAction(tr("Open folder location"));
            connect(open, &QAction::triggered, this,
                    &preview_item_widget::exporer_folder_action_triggered);
        }
        menu_->exec(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    if (obj == check_box_ && e->type() == QEvent::Resize)
        elide_name();
    if (obj == picture_ && e->type() == QEvent::Resize && play_label_) {
        play_label_->move((picture_->width() - play_label_->width()) / 2,
                          (picture_->height() - play_label_->height()) / 2);
    }
    return QWidget::eventFilter(obj, e);
}

void preview_item_widget::mouseDoubleClickEvent(QMouseEvent*) {
    open_detail();
}

void preview_item_widget::open_detail() {
    // The dialog places itself on the screen under the pointer and logs it.
    auto* dlg = new data_detail_widget(data_vec_, idx_, pass_value_, detail_obj_);
    connect(dlg, &data_detail_widget::data_name_change, this,
            &preview_item_widget::data_detail_data_name_change);
    connect(dlg, &data_detail_widget::data_time_change, this,
            &preview_item_widget::data_detail_data_time_change);
    connect(dlg, &data_detail_widget::data_frame_change, this,
            &preview_item_widget::data_detail_data_frame_change);
    connect(dlg, &data_detail_widget::select_filter_state_changed, this,
            &preview_item_widget::data_detail_select_filter_state_changed);
    dlg->setWindowModality(Qt::ApplicationModal);
    dlg->show();
}

void preview_item_widget::exporer_folder_action_triggered(bool) {
    open_folder_location(data_.data_dir, "preview_item_widget::exporer_folder_action_triggered %s");
}

void preview_item_widget::data_detail_data_name_change(int idx, std::string name) {
    Q_EMIT data_name_change(idx, name);
}
void preview_item_widget::data_detail_data_time_change(int idx, std::string time) {
    Q_EMIT data_time_change(idx, time);
}
void preview_item_widget::data_detail_data_frame_change(int idx) {
    Q_EMIT data_frame_change(idx);
}
void preview_item_widget::data_detail_select_filter_state_changed() {
    Q_EMIT select_filter_state_changed();
}
