// Every image the program refers to by resource path is present and decodes;
// the copies Qt picks on scaled displays are twice the size.

#include <QtGui>
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
        for (const char* name :
             {"close", "max", "up0", "down0", "path_explorer", "search", "preview_play"})
            QTest::newRow(qPrintable(name + QString("@2x"))) << torn + name + "@2x.png" << QSize();
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
        if (path.contains("@2x")) // or widgets laid out for the base size break
            QCOMPARE(img.size(), QImage(QString(path).remove("@2x")).size() * 2);
        // Every image is drawn over a coloured or white background.
        QVERIFY(img.hasAlphaChannel());
        QVERIFY(!QIcon(path).pixmap(24, 24).isNull());
    }
};

QTEST_MAIN(tst_resource_images)
#include "tst_resource_images.moc"
