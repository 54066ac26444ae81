// Every image the program refers to by resource path is present and decodes.

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtTest>

class tst_resource_images : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void image_loads_data();
    void image_loads();
    void app_icon_has_every_size();
    void scaled_display_copies_match();
};

void tst_resource_images::image_loads_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size"); // expected size; empty when any size will do

    const QString torn = QStringLiteral(":/TOrnViewer/Resources/");
    const QString halvix = QStringLiteral(":/Halvix/Resources/");
    const struct {
        QString path;
        QSize size;
    } rows[] = {
        {torn + "app_logo.ico", {}},
        {torn + "app_logo.png", {}},
        {torn + "close.png", {24, 24}},
        {torn + "max.png", {24, 24}},
        {torn + "dataset.png", {}},
        {torn + "down0.png", {}},
        {torn + "up0.png", {}},
        {torn + "folder.png", {}},
        {torn + "msg_critical.svg", {}},
        {torn + "msg_info.svg", {}},
        {torn + "msg_question.svg", {}},
        {torn + "msg_warn.svg", {}},
        {torn + "path_explorer.png", {}},
        {torn + "preview_list_background.png", {}},
        {torn + "preview_play.png", {50, 50}},
        {torn + "search.png", {}},
        {halvix + "app_logo.png", {}},
        {halvix + "logo.png", {}},
        {halvix + "center_mark.png", {}},
    };
    for (const auto& r : rows)
        QTest::newRow(qPrintable(r.path)) << r.path << r.size;
}

void tst_resource_images::image_loads() {
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QImageReader reader(path);
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(path + ": " + reader.errorString()));
    if (size.isValid())
        QCOMPARE(img.size(), size);
    // Every image is drawn over a coloured or white background.
    QVERIFY(img.hasAlphaChannel());
    QVERIFY(!QIcon(path).isNull());
    QVERIFY(!QIcon(path).pixmap(24, 24).isNull());
}

void tst_resource_images::app_icon_has_every_size() {
    // The window icon file carries small bitmaps and a large PNG-encoded image.
    QImageReader reader(QStringLiteral(":/TOrnViewer/Resources/app_logo.ico"));
    QVERIFY(reader.imageCount() >= 2);
    QSet<int> widths;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(QString::number(i) + ": " + reader.errorString()));
        QCOMPARE(img.width(), img.height());
        widths.insert(img.width());
    }
    QVERIFY(widths.contains(16));
    QVERIFY(widths.contains(32));
    QVERIFY(widths.contains(256));
}

void tst_resource_images::scaled_display_copies_match() {
    // Qt picks "<name>@2x.png" on scaled displays; it must show the same
    // picture at twice the size, or widgets laid out for the base size break.
    const char* names[] = {"close",         "max",    "up0",         "down0",
                           "path_explorer", "search", "preview_play"};
    for (const char* name : names) {
        const QString base = QStringLiteral(":/TOrnViewer/Resources/%1").arg(QLatin1String(name));
        const QImage small(base + ".png");
        const QImage large(base + "@2x.png");
        QVERIFY2(!small.isNull() && !large.isNull(), name);
        QCOMPARE(large.size(), small.size() * 2);
        // Same drawing: the downscaled large copy stays close to the small one.
        const QImage down =
            large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
        const QImage ref = small.convertToFormat(QImage::Format_ARGB32);
        qint64 diff = 0;
        for (int y = 0; y < ref.height(); ++y)
            for (int x = 0; x < ref.width(); ++x)
                diff += qAbs(qAlpha(ref.pixel(x, y)) - qAlpha(down.pixel(x, y)));
        QVERIFY2(diff / (ref.width() * ref.height()) < 8, name);
    }
}

QTEST_MAIN(tst_resource_images)
#include "tst_resource_images.moc"
