// The floor for the editor's start-up time: a Qt Widgets program that does
// nothing but show one small window, titled "Floor".

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setCentralWidget(new QLabel(QStringLiteral("Floor")));
    window.show();
    return QApplication::exec();
}
