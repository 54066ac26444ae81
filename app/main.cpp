// Placeholder entry point until start-up lands.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Halvix V" HALVIX_VERSION);
    w.show();
    return app.exec();
}
