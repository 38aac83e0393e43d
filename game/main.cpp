// Kelvra Chess: one game against the built-in engine in one window.
#include <QApplication>

#include "game/Echec1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvra Chess"));
    TForm1 window;
    window.show();
    return QApplication::exec();
}
