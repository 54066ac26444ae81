// Every image the program refers to by resource path is present and decodes.

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtTest>

class tst_resource_images : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void image_loads_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size"); // expected size; empty when any size will do
        const QString torn = QStringLiteral(":/TOrnViewer/Resources/");
        for (const char* name :
             {"app_logo.ico", "app_logo.png", "dataset.png", "down0.png", "up0.png", "folder.png",
              "msg_critical.svg", "msg_info.svg", "msg_question.svg", "msg_warn.svg",
              "path_explorer.png", "preview_list_background.png", "search.png"})
            QTest::newRow(name) << torn + name << QSize();
        QTest::newRow("close.png") << torn + "close.png" << QSize(24, 24);
        QTest::newRow("max.png") << torn + "max.png" << QSize(24, 24);
        QTest::newRow("preview_play.png") << torn + "preview_play.png" << QSize(50, 50);
        for (const char* name : {"app_logo.png", "logo.png", "center_mark.png"})
            QTest::newRow(name) << QStringLiteral(":/Halvix/Resources/") + name << QSize();
    }
    void image_loads() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QImageReader reader(path);
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(path + ": " + reader.errorString()));
        if (size.isValid())
            QCOMPARE(img.size(), size);
        // Every image is drawn over a coloured or white background.
        QVERIFY(img.hasAlphaChannel());
        QVERIFY(!QIcon(path).pixmap(24, 24).isNull());
    }

    void app_icon_has_every_size() {
        // The window icon file carries small bitmaps and a large PNG-encoded image.
        QImageReader reader(QStringLiteral(":/TOrnViewer/Resources/app_logo.ico"));
        QSet<int> widths;
        for (int i = 0; i < reader.imageCount(); ++i) {
            QVERIFY(reader.jumpToImage(i));
            const QImage img = reader.read();
            QVERIFY2(!img.isNull(), qPrintable(QString::number(i) + ": " + reader.errorString()));
            QCOMPARE(img.width(), img.height());
            widths.insert(img.width());
        }
        QVERIFY(widths.contains(16) && widths.contains(32) && widths.contains(256));
    }

    void scaled_display_copies_match() {
        // Qt picks "<name>@2x.png" on scaled displays; it must show the same
        // picture at twice the size, or widgets laid out for the base size break.
        for (const char* name :
             {"close", "max", "up0", "down0", "path_explorer", "search", "preview_play"}) {
            const QString base =
                QStringLiteral(":/TOrnViewer/Resources/%1").arg(QLatin1String(name));
            const QImage small = QImage(base + ".png").convertToFormat(QImage::Format_ARGB32);
            const QImage large(base + "@2x.png");
            QVERIFY2(!small.isNull() && !large.isNull(), name);
            QCOMPARE(large.size(), small.size() * 2);
            // Same drawing: the downscaled large copy stays close to the small one.
            const QImage down =
                large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
            qint64 diff = 0;
            for (int y = 0; y < small.height(); ++y)
                for (int x = 0; x < small.width(); ++x)
                    diff += qAbs(qAlpha(small.pixel(x, y)) - qAlpha(down.pixel(x, y)));
            QVERIFY2(diff / (small.width() * small.height()) < 8, name);
        }
    }
};

QTEST_MAIN(tst_resource_images)
#include "tst_resource_images.moc"
