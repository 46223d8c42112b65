#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Qarv 2011"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Qarv 2011"));
    window.show();
    return app.exec();
}
